#pragma once
#include <string>

#include "platform/gui/formgen/resource.h"

namespace formgen {

// The header: the resource class <FormClass>Resource with one typed member per component.
std::string EmitHeader(const Resource &resource, const std::string &source);
// The code that creates the components, sets their properties and binds their events.
std::string EmitSource(const Resource &resource, const std::string &source, const std::string &headerInclude);

}  // namespace formgen
