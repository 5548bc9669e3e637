#pragma once

namespace app {

// Whether the arguments ask for the command line rather than the windows: any of its options
// (--render, --animate, --preset, ..., -h, --help, -v, --version) is given.
bool IsCommandLineRun(int argc, char* argv[]);

// `Lindenmayer --render FILE [options]`: draws one figure from the panel's start-up fields as
// changed by the options, without any window (Qt Core only, so it runs without a display), and
// writes it as PNG, SVG or PDF by the file's extension; `--animate FILE.gif` writes its growth
// or its drawing as an animated GIF instead. Returns the exit code: 0 done (also for --help and
// --version), 1 a field error or a file that cannot be written (the message goes to standard
// error), 2 bad usage (the usage goes to standard error). Nothing is written unless the code
// is 0.
int RunCommandLine(int argc, char* argv[]);

} // namespace app
