#pragma once

#include <cstdio>

// The command line's single-letter options, read with GNU getopt's rules: options anywhere among
// the arguments, letters grouped ("-dv"), "--" ends the options, unknown letters reported on err
// as "<program>: invalid option -- <letter>" and otherwise ignored.
class GetOpt
{
public:
    GetOpt(int argc, char** argv, const char* optionLetters, std::FILE* err);
    // The next option letter; '?' for an unknown one (already reported); -1 when none is left.
    int next();

private:
    int m_argc;
    char** m_argv;
    const char* m_letters;
    std::FILE* m_err;
    int m_index = 1;
    const char* m_group = nullptr;
};

// Applies the program's options "dhxvD". Returns -1 to go on starting, or the exit status.
int handleStartupOptions(int argc, char** argv, std::FILE* out, std::FILE* err);
