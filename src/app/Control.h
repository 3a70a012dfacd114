#pragma once

#include <string>
#include <vector>

#include "app/Color.h"

namespace korvent::app {

// What the main window's logic knows of one control: the state that the window's handlers
// read and set. The Qt window shows it with a real widget whose objectName is Name.
struct Control {
    explicit Control(std::string name) : Name(std::move(name)) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string Name;
    std::string Text;                // caption of buttons, labels and groups; text of edits
    bool Checked = false;            // check boxes and radio buttons
    int ItemIndex = -1;              // radio groups, combo boxes, current item of lists
    std::vector<std::string> Items;  // radio-group captions, combo and list entries
    int Value = 0;                   // numeric edits and the scroll bar
    int Min = 0;                     // range of numeric edits and the scroll bar
    int Max = 0;
    Color Background = clDefault;
    Color FontColor = clDefault;
    bool Enabled = true;
    bool Visible = true;
    int Width = 0;  // client width in pixels, kept up to date by the window (job list)
};

}  // namespace korvent::app
