// The text `velnor --help` prints: where the program draws and every option with what it
// accepts.
#include "x11/saver_options.h"

namespace velnor {

const char* const kSaverUsage =
    "usage: velnor [--window | --root | --window-id ID] [options]\n"
    "Draws the Velnor wire ball; settings come from $XDG_CONFIG_HOME/velnor/Velnor.ini\n"
    "(or ~/.config/velnor/Velnor.ini), and these options override them.\n"
    "Where to draw:\n"
    "  --window             a window of its own, 1024x768 (default); q or Escape closes it\n"
    "  --root               $XSCREENSAVER_WINDOW if set, else the root window\n"
    "  --window-id ID       the window ID (decimal or 0x hexadecimal)\n"
    "Wire ball:\n"
    "  --shape N            height to width in tenths, 4 to 16 (10: round)\n"
    "  --perspective, --no-perspective\n"
    "  --depth N            perspective depth, 12 to 25 (eye at 10 x N pixels)\n"
    "  --scale N            radius in pixels, 16 to 1024\n"
    "  --speed N            pause after each frame in milliseconds, 0 to 1000\n"
    "  --parallel-colour RRGGBB, --meridian-colour RRGGBB   line colours (hexadecimal)\n"
    "  --ball-colour R,G,B  orbiting ball's colour, each 0 to 255\n"
    "  --random-shape, --random-depth, --random-colour      re-chosen every tilt cycle\n"
    "  --no-random-shape, --no-random-depth, --no-random-colour\n"
    "Background:\n"
    "  --sample 1|2         a built-in sample picture\n"
    "  --no-sample          the folder's pictures (black when there are none)\n"
    "  --folder PATH        picture folder (implies --no-sample unless --sample is given)\n"
    "  --kinds LIST         picture kinds to show, from bmp,gif,jpg,wmf\n"
    "  --interval S         seconds between pictures, 1 to 32767\n"
    "  --fit, --own-size    pictures fitted to the screen or at their own size\n"
    "Other:\n"
    "  --seed N             seed of the random choices (default: from the clock)\n"
    "  --no-shm             do not use the MIT-SHM extension\n"
    "  --help               this text\n";

}  // namespace velnor
