#pragma once

#include "app/FormServices.h"

namespace korvent::platform {
class MessageBoxes;
}

namespace korvent::app {

class FormView;
class RunTimer;

// Everything the main window's logic takes from outside: the services and facts of this start,
// and what the window itself serves: its message boxes, its view and its timer.
struct FormEnvironment {
    FormServices services;
    platform::MessageBoxes& messages;
    FormView& view;
    RunTimer& timer;
};

}  // namespace korvent::app
