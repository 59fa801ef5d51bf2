#pragma once
// The driver's script: a UTF-8 text file with one command per line. A line is a command
// name followed by arguments separated by blanks; an argument that holds blanks is
// written in double quotes, where \n, \r, \t, \" and \\ stand for themselves. Empty lines
// and lines starting with # are skipped.

#include <stdexcept>
#include <string>
#include <vector>

struct ScriptCommand {
    int line = 0;
    std::string name;
    std::vector<std::wstring> args;
};

class ScriptError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

std::vector<ScriptCommand> ParseScript(const std::string& utf8Text);
std::vector<ScriptCommand> LoadScript(const std::wstring& path);
