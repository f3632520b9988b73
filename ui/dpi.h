// The program is laid out in pixels at 96 DPI. On screens set to another DPI every
// designed size and position is scaled by Px, so fonts (which follow the DPI) and
// the boxes around them keep their proportions.
#pragma once

int Dpi();            // the screen's DPI, read once
int Px(int designed); // a designed pixel size at the screen's DPI
