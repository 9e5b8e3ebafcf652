#pragma once
// A desktop shell that records what the program asked of it, for tests: files and addresses
// opened, beeps, error boxes (never modal) and the request to end.

#include <string>
#include <vector>

#include "base/shell_port.h"

namespace fluffo {

struct ShellRecorder : ShellPort {
    std::vector<std::string> opened;  // "file Readme.txt", "address mailto:..."
    std::vector<std::string> errors;
    int beeps = 0;
    bool terminated = false;
    bool failed = false;  // ended after a fatal error

    void open_document(const std::string& file_name) override {
        opened.push_back("file " + file_name);
    }
    void open_address(const std::string& address) override {
        opened.push_back("address " + address);
    }
    void beep() override { ++beeps; }
    void show_error(const std::string& text) override { errors.push_back(text); }
    void terminate() override { terminated = true; }
    void terminate_failed() override {
        terminated = true;
        failed = true;
    }
};

}  // namespace fluffo
