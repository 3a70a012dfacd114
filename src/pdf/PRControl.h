#pragma once

#include "graphics/PixelTypes.h"

#include <string>
#include <vector>

namespace korvent::pdf {

using graphics::TRect;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// A plain layout control: a name, bounds in its parent (one unit is one PDF point, y grows
// downwards), an alignment and a parent. Controls are owned by whoever made them; parents and
// children only point at each other and unlink themselves when destroyed.
class TPRControl {
public:
    explicit TPRControl(std::string name, int width, int height);
    virtual ~TPRControl();
    TPRControl(const TPRControl&) = delete;
    TPRControl& operator=(const TPRControl&) = delete;

    const std::string& Name() const { return FName; }
    void SetName(std::string name) { FName = std::move(name); }
    virtual const char* ClassName() const = 0;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TRect BoundsRect() const { return {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, FTop, FWidth, FHeight); }
    void SetTop(int top) { SetBounds(FLeft, top, FWidth, FHeight); }
    void SetWidth(int width) { SetBounds(FLeft, FTop, width, FHeight); }
    void SetHeight(int height) { SetBounds(FLeft, FTop, FWidth, height); }

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);

    TPRControl* Parent() const { return FParent; }
    // Checks the placement rules of the control's kind (throws korvent::Exception), may
    // redirect to another parent (a grid panel's cell), then re-aligns the new parent.
    void SetParent(TPRControl* parent);
    const std::vector<TPRControl*>& Controls() const { return FControls; }

    // Lays the aligned children out inside AlignRect().
    void Realign();

protected:
    // Where a child asking for this parent really goes, after the rules are checked.
    virtual TPRControl* AcceptParent(TPRControl* parent) { return parent; }
    // The area children are aligned in, in this control's coordinates.
    virtual TRect AlignRect() const { return {0, 0, FWidth, FHeight}; }
    virtual void Resized() {}

private:
    void ApplyBounds(int left, int top, int width, int height);
    void RemoveChild(TPRControl* child);

    std::string FName;
    int FLeft = 0;
    int FTop = 0;
    int FWidth;
    int FHeight;
    TAlign FAlign = TAlign::alNone;
    TPRControl* FParent = nullptr;
    std::vector<TPRControl*> FControls;
};

}  // namespace korvent::pdf
