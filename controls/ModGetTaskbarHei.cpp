#include "controls/ModGetTaskbarHei.h"

#include "controls/EdgeRules.h"
#include "forms/Units.h"

#include <windows.h>

int GetTaskbarHeight() {
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const double screenTwips =
        static_cast<double>(GetSystemMetrics(SM_CYSCREEN)) * forms::kTwipsPerPixel;
    return EdgeRules::TaskbarHeightTwips(screenTwips, forms::kTwipsPerPixel, workArea.bottom);
}
