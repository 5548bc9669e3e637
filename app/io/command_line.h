#pragma once

#include "app/io/launch.h"

namespace app {

// `Lindenmayer --render FILE [options]`: draws one figure from the panel's start-up fields as
// changed by the options, without any window (Qt Core only, so it runs without a display), and
// writes it as PNG, SVG or PDF by the file's extension (with `--explore`, its window as Explore
// shows it); `--animate FILE.gif` writes its growth or its drawing as an animated GIF instead.
// For the `launch` that ReadLaunch made of the arguments when it is not the windows: the
// arguments are read once, there. Returns the exit
// code: 0 done (also for --help and --version), 1 a field error or a file that cannot be written
// (the message goes to standard error), 2 bad usage: an unknown option, a bad value, or an option
// that does not apply to the run (what is wrong and a pointer to --help go to standard error).
// Nothing is written unless the code is 0.
int RunCommandLine(int argc, char* argv[], const Launch& launch);

} // namespace app
