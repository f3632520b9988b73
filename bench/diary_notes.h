// Ten years of a diary for the benchmarks under Wine: the words of its notes and
// a note as the rich-edit control writes it (about 2 KB).
#pragma once

#include <cstdio>
#include <random>
#include <string>

#include "platform/codec1250.h"

namespace bench {

inline const wchar_t* const kWords[] = {L"vacsora", L"Gergő",   L"közös",  L"fogorvos", L"értekezlet", L"bevásárlás",
                                 L"tárgyalás", L"Őrség", L"úszás",  L"születésnap", L"határidő", L"könyvtár",
                                 L"séta",    L"ebéd",    L"Zsófi",  L"kirándulás", L"posta",  L"szerelő"};

inline std::string NoteRtf(std::mt19937& random) {
    std::wstring text;
    while (text.size() < 1500) {
        text += kWords[random() % std::size(kWords)];
        text += (random() % 9 == 0) ? L".\n" : L" ";
    }
    std::string body;
    for (char c : EncodeCp1250(text)) {
        auto b = static_cast<unsigned char>(c);
        if (c == '\n') body += "\\par\r\n";
        else if (b >= 0x80) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", b);
            body += hex;
        } else body += c;
    }
    return "{\\rtf1\\ansi\\ansicpg1250\\deff0\\nouicompat\\deflang1038{\\fonttbl{\\f0\\fnil\\fcharset238 MS Sans "
           "Serif;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 "
           "\r\n\\pard\\cf1\\b\\f0\\fs16 " + body + "\\par\r\n}\r\n";
}

}  // namespace bench
