#include "pdf/PRControl.h"

#include <algorithm>

namespace korvent::pdf {

TPRControl::TPRControl(std::string name, int width, int height)
    : FName(std::move(name)), FWidth(width), FHeight(height) {}

TPRControl::~TPRControl() {
    if (FParent != nullptr) {
        FParent->RemoveChild(this);
    }
    for (TPRControl* child : FControls) {
        child->FParent = nullptr;
    }
}

void TPRControl::RemoveChild(TPRControl* child) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), child), FControls.end());
}

void TPRControl::ApplyBounds(int left, int top, int width, int height) {
    const bool resized = width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (resized) {
        Resized();
        Realign();
    }
}

void TPRControl::SetBounds(int left, int top, int width, int height) {
    ApplyBounds(left, top, width, height);
    if (FAlign != TAlign::alNone && FParent != nullptr) {
        FParent->Realign();
    }
}

void TPRControl::SetAlign(TAlign align) {
    FAlign = align;
    if (FParent != nullptr) {
        FParent->Realign();
    }
}

void TPRControl::SetParent(TPRControl* parent) {
    TPRControl* target = parent != nullptr ? AcceptParent(parent) : nullptr;
    if (target == FParent) {
        return;
    }
    if (FParent != nullptr) {
        FParent->RemoveChild(this);
        FParent->Realign();
    }
    FParent = target;
    if (target != nullptr) {
        target->FControls.push_back(this);
        target->Realign();
    }
}

void TPRControl::Realign() {
    TRect rect = AlignRect();
    const auto place = [&](TAlign kind) {
        for (TPRControl* child : FControls) {
            if (child->FAlign != kind) {
                continue;
            }
            const int w = child->FWidth;
            const int h = child->FHeight;
            switch (kind) {
                case TAlign::alTop:
                    child->ApplyBounds(rect.left, rect.top, rect.right - rect.left, h);
                    rect.top += h;
                    break;
                case TAlign::alBottom:
                    child->ApplyBounds(rect.left, rect.bottom - h, rect.right - rect.left, h);
                    rect.bottom -= h;
                    break;
                case TAlign::alLeft:
                    child->ApplyBounds(rect.left, rect.top, w, rect.bottom - rect.top);
                    rect.left += w;
                    break;
                case TAlign::alRight:
                    child->ApplyBounds(rect.right - w, rect.top, w, rect.bottom - rect.top);
                    rect.right -= w;
                    break;
                case TAlign::alClient:
                    child->ApplyBounds(rect.left, rect.top, std::max(0, rect.right - rect.left),
                                       std::max(0, rect.bottom - rect.top));
                    break;
                case TAlign::alNone:
                    break;
            }
        }
    };
    for (TAlign kind :
         {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        place(kind);
    }
}

}  // namespace korvent::pdf
