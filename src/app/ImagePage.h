#pragma once

#include "graphics/JPEGImage.h"
#include "pdf/PRJpegImage.h"
#include "pdf/PRLayoutPanel.h"
#include "pdf/PRPage.h"
#include "pdf/PReport.h"

namespace korvent::app {

// What the picture conversion lays out and writes, kept for the program's life: the page (its
// size is the PDF page in points), the content box filling the page's margins, the picture
// item in that box, the report that writes the page, and the last compressed picture.
class TImagePage {
public:
    TImagePage();
    TImagePage(const TImagePage&) = delete;
    TImagePage& operator=(const TImagePage&) = delete;

    pdf::TPRPage PRPage1{"PRPage1"};
    pdf::TPRLayoutPanel PRLayoutPanel1{"PRLayoutPanel1"};
    pdf::TPRJpegImage PRJpegImage1{"PRJpegImage1"};
    pdf::TPReport PReport1;
    graphics::TJPEGImage FJpeg;
};

}  // namespace korvent::app
