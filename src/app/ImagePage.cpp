#include "app/ImagePage.h"

#include "app/MainForm.h"

namespace korvent::app {

TImagePage::TImagePage() {
    // The page's size on the window's form; it counts for the margins until the first layout.
    PRPage1.SetBounds(0, 0, 126, 97);
    PRPage1.SetVisible(false);
    PRLayoutPanel1.SetParent(&PRPage1);
    PRLayoutPanel1.SetAlign(pdf::TAlign::alClient);
    PRJpegImage1.SetParent(&PRLayoutPanel1);
    PRJpegImage1.SetSharedImage(true);
    PRJpegImage1.SetStretch(true);
}

void ImagePageDeleter::operator()(TImagePage* page) const {
    delete page;
}

}  // namespace korvent::app
