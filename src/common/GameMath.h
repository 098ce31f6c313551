// Sine and cosine that give the same float on every platform: the C libraries' sinf and cosf differ in the
// last bit (glibc's and mingw-w64's do on about 2 % of headings), and a demo recorded on one must replay on
// the other. Computed in double precision and rounded once, so nearly always the correctly rounded float.
#pragma once

float gameSin(float radians);
float gameCos(float radians);
