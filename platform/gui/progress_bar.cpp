#include "platform/gui/progress_bar.h"

#include <QProgressBar>
#include <algorithm>

TProgressBar::TProgressBar(TComponent *owner) : TWinControl(owner) {
    SetBounds(0, 0, 150, 16);
    bar_ = new QProgressBar;
    bar_->setTextVisible(false);
    bar_->setRange(min_, max_);
    AttachWidget(bar_);
}

void TProgressBar::SetMin(int value) {
    min_ = std::min(value, max_);
    bar_->setMinimum(min_);
    SetPosition(position_);
}

void TProgressBar::SetMax(int value) {
    max_ = std::max(value, min_);
    bar_->setMaximum(max_);
    SetPosition(position_);
}

void TProgressBar::SetPosition(int value) {
    position_ = std::clamp(value, min_, max_);
    bar_->setValue(position_);
}
