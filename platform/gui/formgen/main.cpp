// formgen <resource> <header out> <source out> <header include path>
// Turns a form resource into the typed members and the creation code of its form class.
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/gui/formgen/emit.h"
#include "platform/gui/formgen/resource.h"

namespace {

bool Write(const std::string &path, const std::string &content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 5) {
        std::cerr << "usage: formgen <resource> <header out> <source out> <header include path>\n";
        return 2;
    }
    const std::string source = argv[1];
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        std::cerr << source << ": cannot read\n";
        return 1;
    }
    std::ostringstream text;
    text << in.rdbuf();
    try {
        const formgen::Resource resource = formgen::ParseResource(text.str());
        if (!Write(argv[2], formgen::EmitHeader(resource, source)) ||
            !Write(argv[3], formgen::EmitSource(resource, source, argv[4]))) {
            std::cerr << source << ": cannot write the generated files\n";
            return 1;
        }
    } catch (const formgen::ResourceError &e) {
        std::cerr << source << ":" << e.line << ": error: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
