// Identifiers of the resources stored in Velnor.scr: the sample background pictures,
// the preview's still picture, the dialog's bitmaps, the cursors and the icon. Shared by
// the resource script and the Windows code, so it holds plain macros only.
#pragma once

// RCDATA: JPEG files, decoded at run time.
#define IDR_SAMPLE_PLANET 101  // sample picture 0: banded planet, 400 x 300
#define IDR_SAMPLE_NEBULA 102  // sample picture 1: star field with a nebula, 512 x 384

// BITMAP: device-independent bitmaps.
#define IDB_PREVIEW_STILL 201  // 161 x 114, 24-bit: the wire ball on black
#define IDB_BALL_MASK 202      // 48 x 48, 8-bit: black disc inscribed, white elsewhere
#define IDB_PANEL_TEXTURE 203  // 832 x 20, 24-bit: the dialog's panel texture

// CURSOR
#define IDCUR_HAND 301       // 32 x 32, 16 colours, hot spot (12, 1)
#define IDCUR_LINK_HAND 302  // 32 x 32, monochrome, hot spot (12, 10)

// ICON: 16, 32, 48 and 256 pixels. The lowest identifier is the one the shell shows.
#define IDI_VELNOR 1

// STRINGTABLE: the description the host's screen-saver list shows.
#define IDS_DESCRIPTION 1
