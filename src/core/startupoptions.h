// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>
#include <vector>

// The command line's single-letter options, read with GNU getopt's rules: options anywhere among
// the arguments, letters grouped ("-dv"), "--" ends the options, unknown letters reported on err
// as "<program>: invalid option -- <letter>" and otherwise ignored. Long options ("--name VALUE"
// or "--name=VALUE") are those listed; each takes a value.
class GetOpt
{
public:
    struct LongOption
    {
        const char* name;
        int code;   // what next() answers for it
    };

    GetOpt(int argc, char** argv, const char* optionLetters, std::FILE* err, std::vector<LongOption> longOptions = {});
    // The next option letter or long option code; '?' for an unknown one or a long option without
    // its value (already reported); -1 when none is left.
    int next();
    // The value of the long option next() just answered.
    const char* value() const { return m_value; }
    // Indexes of the arguments that are not options, among those passed so far (all of them once
    // next() answered -1).
    const std::vector<int>& operands() const { return m_operands; }

private:
    int nextLong();

    int m_argc;
    char** m_argv;
    const char* m_letters;
    std::FILE* m_err;
    int m_index = 1;
    const char* m_group = nullptr;
    const char* m_value = nullptr;
    std::vector<LongOption> m_longOptions;
    std::vector<int> m_operands;
};

// Applies the program's options "dhxvD" and "--lang CODE". Returns -1 to go on starting, or the
// exit status. operands, when given, receives the indexes of the other arguments; language the
// code given with --lang (empty without it; the last one wins).
int handleStartupOptions(int argc, char** argv, std::FILE* out, std::FILE* err, std::vector<int>* operands = nullptr,
                         QString* language = nullptr);

// The file to open at start: the first of the operands that names an existing file, made
// absolute; empty when none does.
QString startupFile(const QStringList& arguments, const std::vector<int>& operands);
