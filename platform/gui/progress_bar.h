#pragma once
// A progress bar from Min to Max (0 to 100 unless set); Position stays inside that range.
#include "platform/gui/control.h"

class QProgressBar;

class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent *owner);

    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetMin(int value);
    void SetMax(int value);
    int Position() const { return position_; }
    void SetPosition(int value);

private:
    QProgressBar *bar_ = nullptr;
    int min_ = 0, max_ = 100, position_ = 0;
};
