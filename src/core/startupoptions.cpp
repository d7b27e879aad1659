// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/startupoptions.h"

#include "core/version.h"

#include <QFileInfo>
#include <cstring>
#include <utility>

GetOpt::GetOpt(int argc, char** argv, const char* optionLetters, std::FILE* err, std::vector<LongOption> longOptions)
    : m_argc(argc), m_argv(argv), m_letters(optionLetters), m_err(err), m_longOptions(std::move(longOptions))
{
}

int GetOpt::next()
{
    while (!m_group || !*m_group) {
        m_group = nullptr;
        // Arguments that are not options are passed over: options may stand anywhere.
        while (m_index < m_argc) {
            const char* arg = m_argv[m_index];
            if (std::strcmp(arg, "--") == 0) {
                while (++m_index < m_argc)
                    m_operands.push_back(m_index);
                return -1;
            }
            if (arg[0] == '-' && arg[1] == '-')
                return nextLong();
            if (arg[0] == '-' && arg[1] != '\0') {
                ++m_index;
                m_group = arg + 1;
                break;
            }
            m_operands.push_back(m_index++);
        }
        if (!m_group)
            return -1;
    }
    const char letter = *m_group++;
    if (letter == ':' || !std::strchr(m_letters, letter)) {
        std::fprintf(m_err, "%s: invalid option -- %c\n", m_argc > 0 ? m_argv[0] : "tramola", letter);
        return '?';
    }
    return letter;
}

int GetOpt::nextLong()
{
    const char* arg = m_argv[m_index++] + 2;
    const char* equals = std::strchr(arg, '=');
    const std::size_t length = equals ? std::size_t(equals - arg) : std::strlen(arg);
    const char* program = m_argc > 0 ? m_argv[0] : "tramola";
    for (const LongOption& option : m_longOptions) {
        if (std::strlen(option.name) != length || std::strncmp(option.name, arg, length) != 0)
            continue;
        if (equals) {
            m_value = equals + 1;
        } else if (m_index < m_argc) {
            m_value = m_argv[m_index++];
        } else {
            std::fprintf(m_err, "%s: option '--%s' requires an argument\n", program, option.name);
            return '?';
        }
        return option.code;
    }
    std::fprintf(m_err, "%s: unrecognized option '--%.*s'\n", program, int(length), arg);
    return '?';
}

int handleStartupOptions(int argc, char** argv, std::FILE* out, std::FILE* err, std::vector<int>* operands,
                         QString* language)
{
    enum { Lang = 256 };
    GetOpt options(argc, argv, "dhxvD", err, {{"lang", Lang}});
    for (int c = options.next(); c != -1; c = options.next()) {
        switch (c) {
        case Lang:
            if (language)
                *language = QString::fromLocal8Bit(options.value()).trimmed().toLower();
            break;
        case 'd':
        case 'D': std::fprintf(out, "Debug mode activated\n"); break;
        case 'v':
            std::fprintf(out, "%s %s\n", tramola::productName, tramola::productVersion);
            std::fflush(out);
            return 0;
        default: break;
        }
    }
    std::fflush(out);
    if (operands)
        *operands = options.operands();
    return -1;
}

QString startupFile(const QStringList& arguments, const std::vector<int>& operands)
{
    for (int index : operands) {
        const QFileInfo info(arguments.value(index));
        if (!info.filePath().isEmpty() && info.isFile())
            return info.absoluteFilePath();
    }
    return QString();
}
