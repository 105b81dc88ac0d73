#pragma once

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

// An .xls file as the independent reader xlrd sees it (Debian's python3-xlrd).
struct XlsReadBack {
    enum CellType { Empty = 0, Text = 1 };
    struct Cell {
        int type = Empty;
        std::string text;
    };
    bool opened = false;
    std::vector<std::string> sheetNames;
    std::vector<std::vector<Cell>> rows;

    std::string text(std::size_t row, std::size_t column) const {
        return row < rows.size() && column < rows[row].size() ? rows[row][column].text : "<none>";
    }
};

inline std::string FromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

inline XlsReadBack ReadXls(const std::string& path) {
    XlsReadBack book;
    const std::string command = "/usr/bin/python3 " XLS_READER " '" + path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return book;
    std::string output;
    char buffer[65536];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, got);
    book.opened = pclose(pipe) == 0;
    if (!book.opened) {
        std::fprintf(stderr, "xlrd could not read %s:\n%s\n", path.c_str(), output.c_str());
        return book;
    }
    std::istringstream lines(output);
    std::string names;
    std::getline(lines, names);
    for (std::istringstream split(names); std::getline(split, names, '\t');)
        book.sheetNames.push_back(names);
    std::size_t row = 0;
    std::size_t column = 0;
    XlsReadBack::Cell cell;
    std::string hex;
    while (lines >> row >> column >> cell.type) {
        std::getline(lines, hex);
        const std::size_t start = hex.find_first_not_of(' ');
        cell.text = start == std::string::npos ? std::string() : FromHex(hex.substr(start));
        book.rows.resize(std::max(book.rows.size(), row + 1));
        book.rows[row].resize(std::max(book.rows[row].size(), column + 1));
        book.rows[row][column] = cell;
    }
    return book;
}
