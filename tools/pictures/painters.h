#pragma once
// The painters of the picture set, one per picture file.
#include "tools/pictures/canvas.h"

// Equations, dialogs, labels and lettering.
Image paintSchroedinger(int n);      // images/shrN.bmp, N = 1 to 3
Image paintSchroedingerMask(int n);  // images/shrN_a.bmp
Image paintWaveEquation();           // images/rownanie1.bmp
Image paintErrorDialog();            // images/error.bmp
Image paintGlassLabel();             // images/teraz.bmp
Image paintLoading();                // images/loading.bmp
Image paintPower();                  // images/power.bmp
Image paintGreetings();              // images/greetz.bmp

// Photographs, backgrounds and materials.
Image paintPhotograph(int n);  // images/zorN.bmp, N = 1 to 7
Image paintBackgroundCool();   // images/podklad1.bmp
Image paintBackgroundWarm();   // images/podklad2.bmp
Image paintMarble();           // images/tekstura.bmp
Image paintParty();            // images/brisko.bmp
Image paintOrbits();           // images/qel.bmp
Image paintFrames();           // images/22.bmp

// The effects of the presentation.
Image paintEffect(int n);  // images/fxN.bmp, N = 1 to 9

// The gallery: a subject on black, and its mask (black where the subject is).
Image paintGallery(int n);      // images/gN.bmp, N = 1 to 9
Image paintGalleryMask(int n);  // images/gN_alpha.bmp
