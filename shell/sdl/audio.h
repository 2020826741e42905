// Sound effects and the background music through SDL2_mixer.
#pragma once

namespace velno {

// Opens the audio device, loads the five effects and, if "VELNO.MID" is in
// the current directory, the music. Without a device or MIDI synthesis the
// game runs silent (or without music), after one line on stderr.
void openAudio();
// Starts the music, looping for as long as it plays without error.
void startMusic();
// Stops and frees the music.
void stopMusic();
// Stops whatever effect is playing.
void stopEffects();
// Closes the device.
void closeAudio();

}  // namespace velno
