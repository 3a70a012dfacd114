#pragma once

#include <QString>
#include <string>

namespace korvent::app {

inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Tight margins and spacing inside groups, so that all pages fit the minimum window size.
template <typename Layout>
Layout* Compact(Layout* layout) {
    layout->setContentsMargins(8, 2, 8, 4);
    layout->setSpacing(2);
    return layout;
}

}  // namespace korvent::app
