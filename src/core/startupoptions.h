#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>
#include <vector>

// The command line's single-letter options, read with GNU getopt's rules: options anywhere among
// the arguments, letters grouped ("-dv"), "--" ends the options, unknown letters reported on err
// as "<program>: invalid option -- <letter>" and otherwise ignored.
class GetOpt
{
public:
    GetOpt(int argc, char** argv, const char* optionLetters, std::FILE* err);
    // The next option letter; '?' for an unknown one (already reported); -1 when none is left.
    int next();
    // Indexes of the arguments that are not options, among those passed so far (all of them once
    // next() answered -1).
    const std::vector<int>& operands() const { return m_operands; }

private:
    int m_argc;
    char** m_argv;
    const char* m_letters;
    std::FILE* m_err;
    int m_index = 1;
    const char* m_group = nullptr;
    std::vector<int> m_operands;
};

// Applies the program's options "dhxvD". Returns -1 to go on starting, or the exit status.
// operands, when given, receives the indexes of the other arguments.
int handleStartupOptions(int argc, char** argv, std::FILE* out, std::FILE* err,
                         std::vector<int>* operands = nullptr);

// The file to open at start: the first of the operands that names an existing file, made
// absolute; empty when none does.
QString startupFile(const QStringList& arguments, const std::vector<int>& operands);
