#pragma once

#include "pdf/PRChildPanel.h"
#include "pdf/PRPanel.h"

#include <functional>

namespace korvent::pdf {

enum class TPrintDirection { pdHorz, pdVert };

// Repeats its cell panel over ColCount × RowCount cells.
class TPRGridPanel : public TPRPanel {
public:
    using TPRPrintPanelEvent =
        std::function<void(TPRGridPanel& sender, TPRCanvas& canvas, const TRect& rect)>;
    using TPRPrintChildPanelEvent = std::function<void(TPRGridPanel& sender, TPRCanvas& canvas,
                                                       int col, int row, const TRect& rect)>;

    explicit TPRGridPanel(std::string name = {});
    ~TPRGridPanel() override;
    const char* ClassName() const override { return "TPRGridPanel"; }

    int ColCount() const { return FColCount; }
    int RowCount() const { return FRowCount; }
    // Refused (korvent::Exception "invalid colcount" / "invalid rowcount") when not positive or
    // when a cell would be narrower (lower) than 10 points.
    void SetColCount(int value);
    void SetRowCount(int value);
    TPrintDirection PrintDirection() const { return FPrintDirection; }
    void SetPrintDirection(TPrintDirection value) { FPrintDirection = value; }
    TPRChildPanel& CellPanel() { return FChildPanel; }

    void Render(TPRCanvas& canvas, const TRect& rect) override;

    TPRPrintPanelEvent BeforePrint;
    TPRPrintPanelEvent AfterPrint;
    TPRPrintChildPanelEvent BeforePrintChild;
    TPRPrintChildPanelEvent AfterPrintChild;

protected:
    TPRControl* AcceptParent(TPRControl* parent) override { return AcceptPanelParent(parent); }
    TRect AlignRect() const override;

private:
    int FColCount = 1;
    int FRowCount = 1;
    TPrintDirection FPrintDirection = TPrintDirection::pdHorz;
    TPRChildPanel FChildPanel;
};

}  // namespace korvent::pdf
