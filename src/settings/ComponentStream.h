#pragma once

#include <string>

#include "settings/SerializableComponent.h"

namespace korvent::settings {

// A component and its children as one byte string: a signature, then per component its name,
// its state and its children, closed by an end-of-list mark.
std::string SaveComponent(const SerializableComponent& component);

// Replaces the names and states of `control` and its children by a stored copy. The names are
// cleared while reading so that the copy's names can be taken; when the copy cannot be read
// (damaged bytes, a different shape, a state the component refuses) the old names are put
// back in the same depth-first order and the error goes no further.
void LoadComponent(SerializableComponent& control, const std::string& stream);

}  // namespace korvent::settings
