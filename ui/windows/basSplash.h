#pragma once

#include <cstdint>

class frmSplash;

// bOpen: shows the splash window and waits until its movie has started and, with
// bWaitForEnd, until it has ended. Otherwise waits for the movie's end and closes the window.
// No wait lasts longer than the time limit.
void ShowSplash(bool bOpen, bool bWaitForEnd);

// The splash window while it is open, else null.
frmSplash* GetSplash();

// How long a wait for the splash movie may last, in milliseconds (10 seconds unless set).
void SetSplashTimeLimit(int32_t lMilliseconds);
int32_t GetSplashTimeLimit();
