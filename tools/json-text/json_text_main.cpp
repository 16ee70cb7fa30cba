// json-text FILE: parses the file (UTF-8) and prints the compact text of the result as
// UTF-8, or "nil" when it does not parse.

#include "platform/codepage/codepage.h"
#include "json/json_parser.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: json-text FILE\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "json-text: cannot open %s\n", argv[1]);
        return 2;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const melvanto::IJsonValue value = melvanto::ParseJson(melvanto::Utf8ToWide(bytes));
    const std::string text = value ? melvanto::WideToUtf8(value->JsonText()) : "nil";
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    return 0;
}
