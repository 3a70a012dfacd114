#include "pdf/PRGridPanel.h"

#include "platform/Exception.h"

namespace korvent::pdf {

TPRGridPanel::TPRGridPanel(std::string name) : TPRPanel(std::move(name)) {
    FChildPanel.SetParent(this);
    FChildPanel.SetAlign(TAlign::alClient);
}

TPRGridPanel::~TPRGridPanel() {
    FChildPanel.SetParent(nullptr);
}

TRect TPRGridPanel::AlignRect() const {
    return {0, 0, Width() / FColCount, Height() / FRowCount};
}

void TPRGridPanel::SetColCount(int value) {
    if (value <= 0 || Width() / value < 10) {
        throw korvent::Exception("invalid colcount");
    }
    FColCount = value;
    Realign();
}

void TPRGridPanel::SetRowCount(int value) {
    if (value <= 0 || Height() / value < 10) {
        throw korvent::Exception("invalid rowcount");
    }
    FRowCount = value;
    Realign();
}

void TPRGridPanel::Render(TPRCanvas& canvas, const TRect& rect) {
    if (BeforePrint) {
        BeforePrint(*this, canvas, rect);
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const auto cell = [&](int col, int row) {
        const int x = rect.left + static_cast<int>(static_cast<long long>(col) * width / FColCount);
        const int y = rect.top + static_cast<int>(static_cast<long long>(row) * height / FRowCount);
        const TRect cellRect{x, y, x + FChildPanel.Width(), y + FChildPanel.Height()};
        if (BeforePrintChild) {
            BeforePrintChild(*this, canvas, col, row, cellRect);
        }
        FChildPanel.Render(canvas, cellRect);
        if (AfterPrintChild) {
            AfterPrintChild(*this, canvas, col, row, cellRect);
        }
    };
    if (FPrintDirection == TPrintDirection::pdHorz) {
        for (int row = 0; row < FRowCount; ++row) {
            for (int col = 0; col < FColCount; ++col) {
                cell(col, row);
            }
        }
    } else {
        for (int col = 0; col < FColCount; ++col) {
            for (int row = 0; row < FRowCount; ++row) {
                cell(col, row);
            }
        }
    }
    if (AfterPrint) {
        AfterPrint(*this, canvas, rect);
    }
}

}  // namespace korvent::pdf
