#pragma once
// The form resource: a text description of a form and its components, expanded into a flat list.
//
//   include "platform/tables/table.h"         extra header for classes outside the framework
//   form Form1 : TForm1 "app/form1.h"          the form, its class and the header declaring it
//     Caption = "Kestrium"                     form properties ...
//     OnCreate = FormCreate                    ... and events bound to member functions
//   end
//   let rowHeight = 18                         a named integer for the expressions below
//   object Panel239 : TPanel                   a component (a control's parent is the form)
//     bounds = 0 0 638 458                     Left Top Width Height
//     Font.Color = clWhite                     Font().SetColor(clWhite)
//   end
//   repeat i = 0 to 19                         controls in regular grids
//     object Panel{128 + i} : TPanel in Panel38
//       bounds = 10 {20 + i * rowHeight} 300 17
//       Caption = "Row {i + 1}"
//     end
//   end
//
// Values: integers (decimal, 0x or $ hexadecimal), {expressions} over + - * / %, parentheses and
// the comparisons < <= > >= == != (giving 1 or 0),
// strings with \" \\ \r \n \t escapes and {expression} parts ({{ and }} for braces), and C++
// identifiers such as clBlack, bvLowered, true or fsBold|fsItalic, passed through as they stand.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace formgen {

struct ResourceError : std::runtime_error {
    ResourceError(int at, const std::string &message) : std::runtime_error(message), line(at) {}
    int line;
};

struct Property {
    std::string name;   // "Caption", "Font.Size", "bounds" or an event "OnClick"
    std::string value;  // C++ expression, or the handler's name for an event
    bool isEvent = false;
    int line = 0;
};

struct Component {
    std::string name;
    std::string className;
    std::string parent;  // empty: the form (controls) or none (other components)
    std::vector<Property> properties;
    int line = 0;
};

struct Resource {
    std::string formName;
    std::string formClass;
    std::string formHeader;
    std::vector<std::string> includes;
    std::vector<Property> formProperties;
    std::vector<Component> components;
};

// Parses and expands a resource; raises ResourceError with the line of the first fault.
Resource ParseResource(const std::string &text);

}  // namespace formgen
