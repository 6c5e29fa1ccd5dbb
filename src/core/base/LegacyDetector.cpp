#include "core/base/LegacyDetector.h"

#include "core/base/LegacyLanguages.h"
#include "core/base/TextCodec.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <iconv.h>
#include <limits>
#include <memory>
#include <vector>

namespace torvane {
namespace {

using legacy::LetterShare;

constexpr const char* Names[LegacyEncodingCount] = {
    "UTF-8", "CP932", "EUC-JP", "GBK", "CP950", "CP949", "CP1251", "CP1252", "CP1250", "CP1253",
};

size_t IndexOf(LegacyEncoding encoding) {
    return static_cast<size_t>(encoding);
}

bool IsPrivateUse(uint32_t cp) {
    return (cp >= 0xE000 && cp <= 0xF8FF) || cp >= 0xF0000;
}

// ---------------------------------------------------------------------------------------------
// Byte tables of the legacy encodings, made once from iconv: what each high byte is alone, and
// what each lead byte of a double-byte encoding makes with each trail byte.

struct ByteTable {
    bool DoubleByte = false;
    std::array<uint16_t, 128> Single{}; // high byte alone: its character, 0 when none
    std::array<bool, 128> Lead{};       // high byte that starts a two-byte character
    std::vector<uint16_t> Pairs;        // (lead - 0x80) * 256 + trail: character, 0 when none
};

// The character the bytes decode to: 0 when they are no (complete) character, or one a text
// never holds (a private-use or C1 control character).
uint16_t DecodeOne(iconv_t cd, const char* bytes, size_t size, bool* incomplete) {
    char32_t result[4] = {};
    char* in = const_cast<char*>(bytes);
    size_t inLeft = size;
    char* out = reinterpret_cast<char*>(result);
    size_t outLeft = sizeof result;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const size_t done = iconv(cd, &in, &inLeft, &out, &outLeft);
    if (incomplete)
        *incomplete = done == static_cast<size_t>(-1) && errno == EINVAL;
    if (done == static_cast<size_t>(-1) || inLeft != 0 || outLeft != sizeof result - 4)
        return 0;
    const uint32_t cp = result[0];
    if (cp < 0xA0 || cp > 0xFFFF || IsPrivateUse(cp) || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return static_cast<uint16_t>(cp);
}

ByteTable MakeTable(const char* name, bool doubleByte) {
    ByteTable table;
    table.DoubleByte = doubleByte;
    // UTF-32 in the machine's own byte order.
    iconv_t cd = iconv_open("UTF-32LE", name);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return table;
    for (int b = 0x80; b <= 0xFF; ++b) {
        const char byte = static_cast<char>(b);
        bool incomplete = false;
        table.Single[b - 0x80] = DecodeOne(cd, &byte, 1, &incomplete);
        table.Lead[b - 0x80] = doubleByte && incomplete;
    }
    if (doubleByte) {
        table.Pairs.assign(size_t{128} * 256, 0);
        for (int lead = 0x80; lead <= 0xFF; ++lead) {
            if (!table.Lead[lead - 0x80])
                continue;
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                table.Pairs[(lead - 0x80) * 256 + trail] = DecodeOne(cd, pair, 2, nullptr);
            }
        }
    }
    iconv_close(cd);
    return table;
}

const ByteTable& TableOf(LegacyEncoding encoding) {
    static const auto tables = [] {
        auto all = std::make_unique<std::array<ByteTable, LegacyEncodingCount>>();
        for (size_t i = 1; i < LegacyEncodingCount; ++i) {
            const auto e = static_cast<LegacyEncoding>(i);
            const bool doubleByte = e == LegacyEncoding::Cp932 || e == LegacyEncoding::EucJp ||
                                    e == LegacyEncoding::Gbk || e == LegacyEncoding::Big5 ||
                                    e == LegacyEncoding::Cp949;
            (*all)[i] = MakeTable(Names[i], doubleByte);
        }
        return all;
    }();
    return (*tables)[IndexOf(encoding)];
}

// Length and code point of the valid UTF-8 sequence at text[pos], 0 when it is none.
// *cutShort tells whether the text ends inside what would otherwise be a valid sequence.
size_t Utf8At(std::string_view text, size_t pos, uint32_t& cp, bool* cutShort = nullptr) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(pos);
    size_t length = 0;
    uint32_t minimum = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0)
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    else
        return 0;
    const size_t present = std::min(length, text.size() - pos);
    for (size_t i = 1; i < present; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    if (present < length) {
        if (cutShort)
            *cutShort = true;
        return 0;
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

// A text at least this long may be a full fixed-width field, cut inside a character.
constexpr size_t FullFieldBytes = 30;

// Calls take(code point) for each character of text in the encoding; false at the first byte
// that makes no character. A lead byte alone at the end of a long text is dropped.
template <class Take>
bool Walk(std::string_view text, LegacyEncoding encoding, bool mayBeCut, Take&& take) {
    if (encoding == LegacyEncoding::Utf8) {
        for (size_t pos = 0; pos < text.size();) {
            uint32_t cp = 0;
            bool cutShort = false;
            const size_t length = Utf8At(text, pos, cp, &cutShort);
            if (length == 0)
                return cutShort && mayBeCut;
            take(cp);
            pos += length;
        }
        return true;
    }
    const ByteTable& table = TableOf(encoding);
    for (size_t pos = 0; pos < text.size(); ++pos) {
        const auto b = static_cast<uint8_t>(text[pos]);
        if (b < 0x80) {
            take(b);
        } else if (const uint16_t single = table.Single[b - 0x80]) {
            take(single);
        } else if (table.Lead[b - 0x80]) {
            if (pos + 1 == text.size())
                return mayBeCut;
            const auto trail = static_cast<uint8_t>(text[pos + 1]);
            const uint16_t cp = table.Pairs[(b - 0x80) * 256 + trail];
            if (cp == 0)
                return false;
            take(cp);
            ++pos;
        } else {
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Language models: a character's likelihood is that of moving into its class from the class
// before it, times that of the character within its class.

enum Cls : uint8_t {
    Ascii,
    Hira,
    Kata,
    HwKana,
    Han,
    Hangul,
    CjkPunct,
    CjkSymbol,
    Cyr,
    GreekCls,
    Latin,
    LatinSym,
    Other,
    ClassCount
};

Cls ClassOf(uint32_t cp) {
    if (cp < 0x80)
        return Ascii;
    if (cp < 0xA0)
        return Other;
    if (cp < 0xC0 || cp == 0xD7 || cp == 0xF7 || cp == 0x2C6 || cp == 0x2DC)
        return LatinSym;
    // Latin Extended-B holds hardly a letter of the languages read here (those of Romanian and
    // the hook f of CP1252 aside).
    if (cp < 0x180 || cp == 0x192 || (cp >= 0x218 && cp < 0x21C) || (cp >= 0x1E00 && cp < 0x1F00))
        return Latin;
    if (cp >= 0x370 && cp < 0x400)
        return GreekCls;
    if (cp >= 0x400 && cp < 0x500)
        return Cyr;
    if ((cp >= 0x2000 && cp < 0x2070) || (cp >= 0x20A0 && cp < 0x20D0) || cp == 0x2116 ||
        cp == 0x2122)
        return LatinSym;
    if ((cp >= 0x2100 && cp < 0x2800) || (cp >= 0x3200 && cp < 0x3400))
        return CjkSymbol;
    if (cp == 0x3005 || (cp >= 0x3400 && cp < 0xA000) || (cp >= 0xF900 && cp < 0xFB00))
        return Han;
    if (cp >= 0x3000 && cp < 0x3040)
        return CjkPunct;
    if (cp >= 0x3041 && cp < 0x30A0)
        return Hira;
    if ((cp >= 0x30A0 && cp < 0x3100) || (cp >= 0x31F0 && cp < 0x3200))
        return Kata;
    if ((cp >= 0x3130 && cp < 0x3190) || (cp >= 0xAC00 && cp < 0xD7A4))
        return Hangul;
    if (cp >= 0xFF61 && cp < 0xFFA0)
        return HwKana;
    if ((cp >= 0xFF01 && cp < 0xFF61) || (cp >= 0xFFE0 && cp < 0xFFF0))
        return CjkPunct;
    return Other;
}

enum Language : uint8_t {
    Japanese,
    Simplified,
    Traditional,
    Korean,
    Russian,
    Western,
    Central,
    Greek,
    LanguageCount
};

// Shares of the classes among the characters that begin a run of their class, and the chance
// that the next character stays in the class, per mille, in the order of Cls.
struct LanguageShape {
    float Start[ClassCount];
    float Stay[ClassCount];
};

// clang-format off
constexpr LanguageShape Shapes[LanguageCount] = {
    // Ascii Hira  Kata  HwKana Han   Hangul Punct Symbol Cyr  Greek Latin LatSym Other
    {{200,   200,  170,  20,    280,  0.01f, 80,   30,    0.5f, 0.5f, 0.01f, 10,  1},
     {900,   750,  800,  850,   550,  500,   150,  200,   700,  700,  300,   100, 300}},
    {{250,   1,    2,    0.01f, 650,  0.01f, 80,   5,     0.3f, 0.3f, 0.5f,  8,   1},
     {900,   700,  700,  500,   900,  500,   100,  200,   700,  700,  300,   100, 300}},
    {{250,   1,    2,    0.01f, 650,  0.01f, 80,   5,     0.3f, 0.3f, 0.5f,  8,   1},
     {900,   700,  700,  500,   900,  500,   100,  200,   700,  700,  300,   100, 300}},
    {{250,   0.5f, 0.5f, 0.01f, 20,   650,   50,   10,    0.3f, 0.3f, 0.01f, 8,   1},
     {900,   700,  700,  500,   600,  850,   100,  200,   700,  700,  300,   100, 300}},
    {{250,   0.01f,0.01f,0.01f, 0.01f,0.01f, 0.01f,0.01f, 700,  0.01f,1,     40,  1},
     {850,   300,  300,  300,   300,  300,   100,  100,   900,  300,  300,   100, 300}},
    {{850,   0.01f,0.01f,0.01f, 0.01f,0.01f, 0.01f,0.01f, 0.01f,0.01f,120,   30,  0.5f},
     {970,   300,  300,  300,   300,  300,   100,  100,   300,  300,  80,    50,  300}},
    {{850,   0.01f,0.01f,0.01f, 0.01f,0.01f, 0.01f,0.01f, 0.01f,0.01f,120,   30,  0.5f},
     {930,   300,  300,  300,   300,  300,   100,  100,   300,  300,  150,   50,  300}},
    {{250,   0.01f,0.01f,0.01f, 0.01f,0.01f, 0.01f,0.01f, 0.01f,700,  0.5f,  40,  1},
     {850,   300,  300,  300,   300,  300,   100,  100,   300,  900,  300,   100, 300}},
};
// clang-format on

// The punctuation and signs of the Latin code pages that real texts use; the others (daggers,
// per mille, single guillemets, the C1 leftovers) mostly come from a wrong decoding.
constexpr char32_t CommonLatinSigns[] = U"’‘“”–—…«»·°©®™€¿¡´×±²³½¼¾§ªº№„•";
constexpr double CommonSignShare = 0.9;
constexpr double OtherSigns = 80;

// Characters within their class, for classes whose members are not alike.
constexpr double HanCandidates = 20000;
constexpr double HangulSyllables = 11172;
// Shares of a language's ideographs (or hangul syllables): the common ones listed, the rest
// of the first level of its national standard (JIS X 0208 level 1, GB2312 level 1, Big5
// level 1, the hangul of KS X 1001), everything else.
constexpr double CommonHanShare = 0.6, LevelOneHanShare = 0.37;
constexpr double CommonHangulShare = 0.7, LevelOneHangulShare = 0.28;
constexpr double CapitalShare = 0.2;
constexpr double UnlistedLetterShare = 0.005;

constexpr uint8_t CommonSignBit = 0x80; // above the languages' bits
constexpr uint32_t LatinFirst = 0xC0, LatinEnd = 0x250;
constexpr uint32_t CyrFirst = 0x400, CyrEnd = 0x500;
constexpr uint32_t GreekFirst = 0x370, GreekEnd = 0x400;

// The small letter of a capital of the alphabets scored by letter, or the letter itself.
uint32_t SmallOf(uint32_t cp) {
    if ((cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) || (cp >= 0x410 && cp <= 0x42F) ||
        (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2))
        return cp + 0x20;
    if (cp >= 0x400 && cp <= 0x40F)
        return cp + 0x50;
    switch (cp) {
    case 0x386:
        return 0x3AC;
    case 0x388:
    case 0x389:
    case 0x38A:
        return cp + 0x25;
    case 0x38C:
        return 0x3CC;
    case 0x38E:
    case 0x38F:
        return cp + 0x3F;
    case 0x178:
        return 0xFF;
    default:
        break;
    }
    // Latin Extended-A: pairs of capital and small letter, with three runs in the other order.
    if (cp >= 0x100 && cp < 0x180 && cp != 0x130 && cp != 0x131 && cp != 0x138 && cp != 0x149 &&
        cp != 0x17F) {
        const bool oddCapitals = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
        const bool capital = oddCapitals ? (cp & 1) == 1 : (cp & 1) == 0;
        return capital ? cp + 1 : cp;
    }
    return cp;
}

bool IsCapital(uint32_t cp) {
    return SmallOf(cp) != cp;
}

struct LanguageModel {
    float StartLog[ClassCount];
    float StayLog[ClassCount];
    // Leaving a class for another: log((1 - stay[from]) * start[to] / (1 - start[from])).
    float MoveLog[ClassCount][ClassCount];
    float WithinLog[ClassCount];
    float CommonHanLog = 0, LevelOneHanLog = 0, OtherHanLog = 0;
    float CommonHangulLog = 0, LevelOneHangulLog = 0, OtherHangulLog = 0;
    uint8_t HanBit = 0, HangulBit = 0;
    std::vector<float> LetterLog; // LatinFirst .. GreekEnd, where the language scores letters
};

struct Models {
    std::vector<uint8_t> CommonBits;   // per BMP code point: bit 1 << Language when common
    std::vector<uint8_t> LevelOneBits; // per BMP code point: in the language's first level
    float CommonSignLog = 0, OtherSignLog = 0;
    LanguageModel Language[LanguageCount];
};

float Log(double x) {
    return static_cast<float>(std::log(x));
}

void FillLetters(LanguageModel& model, std::span<const LetterShare> letters, uint32_t first,
                 uint32_t end) {
    double total = 0;
    for (const LetterShare& share : letters)
        total += share.PerMille;
    const uint32_t scripts = end - first;
    std::vector<double> share(scripts, 0.0);
    for (const LetterShare& letter : letters)
        if (letter.Letter >= first && letter.Letter < end)
            share[letter.Letter - first] = letter.PerMille / total;
    for (uint32_t cp = first; cp < end; ++cp) {
        const uint32_t small = SmallOf(cp);
        double p = small >= first && small < end ? share[small - first] : 0.0;
        p *= IsCapital(cp) ? CapitalShare : 1.0 - CapitalShare;
        if (p == 0.0)
            p = UnlistedLetterShare / scripts;
        model.LetterLog[cp - LatinFirst] = Log(p);
    }
}

const Models& TheModels() {
    static const auto models = [] {
        auto m = std::make_unique<Models>();
        m->CommonBits.assign(0x10000, 0);
        const auto mark = [&](std::u32string_view set, Language language) {
            for (const char32_t c : set)
                if (c < 0x10000)
                    m->CommonBits[c] |= static_cast<uint8_t>(1u << language);
        };
        mark(legacy::CommonKanji, Japanese);
        mark(legacy::CommonSimplifiedHanzi, Simplified);
        mark(legacy::CommonTraditionalHanzi, Traditional);
        mark(legacy::CommonHangul, Korean);
        const std::u32string_view signs = CommonLatinSigns;
        for (const char32_t c : signs)
            m->CommonBits[c] |= CommonSignBit;
        m->CommonSignLog = Log(CommonSignShare / static_cast<double>(signs.size()));
        m->OtherSignLog = Log((1.0 - CommonSignShare) / OtherSigns);
        m->LevelOneBits.assign(0x10000, 0);
        const auto level = [&](LegacyEncoding encoding, Language language, int firstLead,
                               int lastLead, int firstTrail) {
            const ByteTable& table = TableOf(encoding);
            if (table.Pairs.empty())
                return;
            for (int lead = firstLead; lead <= lastLead; ++lead)
                for (int trail = firstTrail; trail <= 0xFE; ++trail)
                    if (const uint16_t cp = table.Pairs[(lead - 0x80) * 256 + trail])
                        m->LevelOneBits[cp] |= static_cast<uint8_t>(1u << language);
        };
        level(LegacyEncoding::Cp932, Japanese, 0x88, 0x98, 0x40);
        level(LegacyEncoding::Gbk, Simplified, 0xB0, 0xD7, 0xA1);
        level(LegacyEncoding::Big5, Traditional, 0xA4, 0xC6, 0x40);
        level(LegacyEncoding::Cp949, Korean, 0xB0, 0xC8, 0xA1);
        std::array<double, LanguageCount> commonCount{}, levelOneCount{};
        for (uint32_t cp = 0; cp < 0x10000; ++cp) {
            for (int l = 0; l < LanguageCount; ++l) {
                if (m->CommonBits[cp] & (1u << l))
                    ++commonCount[l];
                else if (m->LevelOneBits[cp] & (1u << l))
                    ++levelOneCount[l];
            }
        }
        for (int l = 0; l < LanguageCount; ++l) {
            LanguageModel& model = m->Language[l];
            const LanguageShape& shape = Shapes[l];
            double startTotal = 0;
            for (const float s : shape.Start)
                startTotal += s;
            for (int c = 0; c < ClassCount; ++c) {
                model.StartLog[c] = Log(shape.Start[c] / startTotal);
                model.StayLog[c] = Log(shape.Stay[c] / 1000.0);
            }
            for (int from = 0; from < ClassCount; ++from)
                for (int to = 0; to < ClassCount; ++to)
                    model.MoveLog[from][to] =
                        Log((1.0 - shape.Stay[from] / 1000.0) * (shape.Start[to] / startTotal) /
                            (1.0 - shape.Start[from] / startTotal));
            model.WithinLog[Ascii] = 0; // alike in every language
            model.WithinLog[Hira] = Log(1.0 / 86);
            model.WithinLog[Kata] = Log(1.0 / 92);
            model.WithinLog[HwKana] = Log(1.0 / 63);
            model.WithinLog[CjkPunct] = Log(1.0 / 100);
            model.WithinLog[CjkSymbol] = Log(1.0 / 300);
            model.WithinLog[Cyr] = Log(1.0 / 150);
            model.WithinLog[GreekCls] = Log(1.0 / 150);
            model.WithinLog[Latin] = Log(1.0 / 300);
            model.WithinLog[LatinSym] = Log(1.0 / 60);
            model.WithinLog[Other] = Log(1.0 / 30000);
            model.OtherHanLog = model.LevelOneHanLog = model.CommonHanLog =
                Log(1.0 / HanCandidates);
            model.OtherHangulLog = model.LevelOneHangulLog = model.CommonHangulLog =
                Log(1.0 / HangulSyllables);
            if (l == Japanese || l == Simplified || l == Traditional) {
                model.HanBit = static_cast<uint8_t>(1u << l);
                model.CommonHanLog = Log(CommonHanShare / commonCount[l]);
                model.LevelOneHanLog = Log(LevelOneHanShare / std::max(1.0, levelOneCount[l]));
                model.OtherHanLog = Log((1.0 - CommonHanShare - LevelOneHanShare) / HanCandidates);
            }
            if (l == Korean) {
                model.HangulBit = static_cast<uint8_t>(1u << l);
                model.CommonHangulLog = Log(CommonHangulShare / commonCount[l]);
                model.LevelOneHangulLog =
                    Log(LevelOneHangulShare / std::max(1.0, levelOneCount[l]));
                model.OtherHangulLog =
                    Log((1.0 - CommonHangulShare - LevelOneHangulShare) / HangulSyllables);
            }
            if (l == Russian || l == Western || l == Central || l == Greek) {
                model.LetterLog.assign(CyrEnd - LatinFirst, 0.0f);
                if (l == Russian)
                    FillLetters(model, legacy::RussianLetters, CyrFirst, CyrEnd);
                else if (l == Greek)
                    FillLetters(model, legacy::GreekLetters, GreekFirst, GreekEnd);
                else
                    FillLetters(model,
                                l == Western ? legacy::WesternLetters : legacy::CentralLetters,
                                LatinFirst, LatinEnd);
            }
        }
        return m;
    }();
    return *models;
}

// The log-likelihood of the characters of one text under one language.
class CScorer {
public:
    CScorer(const Models& models, Language language)
        : m_Bits(models.CommonBits), m_LevelOne(models.LevelOneBits),
          m_CommonSignLog(models.CommonSignLog), m_OtherSignLog(models.OtherSignLog),
          m_Model(models.Language[language]), m_Letters(!m_Model.LetterLog.empty()),
          m_LetterFirst(language == Russian ? CyrFirst
                        : language == Greek ? GreekFirst
                                            : LatinFirst),
          m_LetterEnd(language == Russian ? CyrEnd
                      : language == Greek ? GreekEnd
                                          : LatinEnd) {}

    void Restart() { m_Previous = ClassCount; }

    void Add(uint32_t cp) { Add(cp, ClassOf(cp)); }

    void Add(uint32_t cp, Cls cls) {
        if (m_Previous == ClassCount)
            m_Sum += m_Model.StartLog[cls];
        else if (m_Previous == cls)
            m_Sum += m_Model.StayLog[cls];
        else
            m_Sum += m_Model.MoveLog[m_Previous][cls];
        m_Previous = cls;
        switch (cls) {
        case Han:
            m_Sum += cp >= 0x10000                       ? m_Model.OtherHanLog
                     : (m_Bits[cp] & m_Model.HanBit)     ? m_Model.CommonHanLog
                     : (m_LevelOne[cp] & m_Model.HanBit) ? m_Model.LevelOneHanLog
                                                         : m_Model.OtherHanLog;
            return;
        case Hangul:
            m_Sum += cp >= 0x10000                          ? m_Model.OtherHangulLog
                     : (m_Bits[cp] & m_Model.HangulBit)     ? m_Model.CommonHangulLog
                     : (m_LevelOne[cp] & m_Model.HangulBit) ? m_Model.LevelOneHangulLog
                                                            : m_Model.OtherHangulLog;
            return;
        case LatinSym:
            m_Sum += (m_Bits[cp] & CommonSignBit) ? m_CommonSignLog : m_OtherSignLog;
            return;
        default:
            if (m_Letters && (cls == Latin || cls == Cyr || cls == GreekCls) &&
                cp >= m_LetterFirst && cp < m_LetterEnd)
                m_Sum += m_Model.LetterLog[cp - LatinFirst];
            else
                m_Sum += m_Model.WithinLog[cls];
        }
    }

    double Sum() const { return m_Sum; }

private:
    const std::vector<uint8_t>& m_Bits;
    const std::vector<uint8_t>& m_LevelOne;
    float m_CommonSignLog;
    float m_OtherSignLog;
    const LanguageModel& m_Model;
    bool m_Letters;
    uint32_t m_LetterFirst;
    uint32_t m_LetterEnd;
    Cls m_Previous = ClassCount;
    double m_Sum = 0;
};

Language LanguageOf(LegacyEncoding encoding) {
    switch (encoding) {
    case LegacyEncoding::Cp932:
    case LegacyEncoding::EucJp:
        return Japanese;
    case LegacyEncoding::Gbk:
        return Simplified;
    case LegacyEncoding::Big5:
        return Traditional;
    case LegacyEncoding::Cp949:
        return Korean;
    case LegacyEncoding::Cp1251:
        return Russian;
    case LegacyEncoding::Cp1250:
        return Central;
    case LegacyEncoding::Cp1253:
        return Greek;
    default:
        return Western;
    }
}

// What a text that is no sequence of a candidate costs it, besides a share per byte: far more
// than any text costs that a candidate reads at all.
constexpr double InvalidTextCost = 400;
constexpr double InvalidByteCost = 10;
// The lead of the preferred encoding: about what one plausible character more weighs.
constexpr double PreferredLead = 2.5;
// Western European text was written far more often than Central European: a lone accented
// letter that both read as a plausible letter (ñ or ń, ø or ř) is taken as Western.
constexpr double WesternLead = 1.0;
// UTF-8 may hold any of the languages: the one that fits best, less what choosing it among
// them costs.
constexpr double Utf8LanguageCost = 2.0794415416798357; // log(LanguageCount)
static_assert(LanguageCount == 8);

bool HasHighByte(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<uint8_t>(c) >= 0x80; });
}

} // namespace

const char* LegacyEncodingName(LegacyEncoding encoding) {
    return Names[IndexOf(encoding)];
}

std::optional<LegacyEncoding> LegacyEncodingOf(std::string_view name) {
    std::string upper;
    for (const char c : name)
        if (c != '-' && c != '_' && c != ' ')
            upper += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (upper.starts_with("CP") || upper.starts_with("MS") || upper.starts_with("WINDOWS"))
        upper = upper.substr(upper.find_first_of("0123456789") == std::string::npos
                                 ? upper.size()
                                 : upper.find_first_of("0123456789"));
    static constexpr std::pair<std::string_view, LegacyEncoding> Known[] = {
        {"UTF8", LegacyEncoding::Utf8},       {"65001", LegacyEncoding::Utf8},
        {"932", LegacyEncoding::Cp932},       {"SHIFTJIS", LegacyEncoding::Cp932},
        {"SJIS", LegacyEncoding::Cp932},      {"EUCJP", LegacyEncoding::EucJp},
        {"936", LegacyEncoding::Gbk},         {"GBK", LegacyEncoding::Gbk},
        {"GB18030", LegacyEncoding::Gbk},     {"GB2312", LegacyEncoding::Gbk},
        {"950", LegacyEncoding::Big5},        {"BIG5", LegacyEncoding::Big5},
        {"949", LegacyEncoding::Cp949},       {"UHC", LegacyEncoding::Cp949},
        {"EUCKR", LegacyEncoding::Cp949},     {"1251", LegacyEncoding::Cp1251},
        {"1252", LegacyEncoding::Cp1252},     {"LATIN1", LegacyEncoding::Cp1252},
        {"ISO88591", LegacyEncoding::Cp1252}, {"1250", LegacyEncoding::Cp1250},
        {"1253", LegacyEncoding::Cp1253},
    };
    for (const auto& [known, encoding] : Known)
        if (upper == known)
            return encoding;
    return std::nullopt;
}

CLegacyDetector::Decision CLegacyDetector::Detect(std::span<const std::string_view> texts,
                                                  LegacyEncoding preferred) {
    Decision decision;
    decision.Encoding = preferred;
    // The texts looked at: those with a high byte, cut to the budget.
    struct Looked {
        std::string_view Text;
        bool MayBeCut;
    };
    std::vector<Looked> looked;
    size_t budget = MaxDetectedBytes;
    for (const std::string_view text : texts) {
        if (budget == 0)
            break;
        if (!HasHighByte(text))
            continue;
        const bool cut = text.size() > budget;
        looked.push_back({text.substr(0, budget), cut || text.size() >= FullFieldBytes});
        budget -= looked.back().Text.size();
    }
    if (looked.empty())
        return decision;

    // A candidate that cannot read every text is out, unless none can.
    std::array<bool, LegacyEncodingCount> readsAll{};
    bool anyReadsAll = false;
    for (size_t i = 0; i < LegacyEncodingCount; ++i) {
        const auto encoding = static_cast<LegacyEncoding>(i);
        readsAll[i] = std::all_of(looked.begin(), looked.end(), [&](const Looked& text) {
            return Walk(text.Text, encoding, text.MayBeCut, [](uint32_t) {});
        });
        anyReadsAll = anyReadsAll || readsAll[i];
    }

    const Models& models = TheModels();
    std::array<double, LegacyEncodingCount>& scores = decision.Scores;
    scores[IndexOf(preferred)] += PreferredLead;
    scores[IndexOf(LegacyEncoding::Cp1252)] += WesternLead;
    for (size_t i = 0; i < LegacyEncodingCount; ++i) {
        if (anyReadsAll && !readsAll[i]) {
            scores[i] = std::numeric_limits<double>::lowest();
            continue;
        }
        const auto encoding = static_cast<LegacyEncoding>(i);
        for (const auto& [text, mayBeCut] : looked) {
            const double invalid =
                InvalidTextCost + InvalidByteCost * static_cast<double>(text.size());
            if (encoding == LegacyEncoding::Utf8) {
                // Scored under every language at once.
                std::array<std::optional<CScorer>, LanguageCount> scorers;
                for (int l = 0; l < LanguageCount; ++l)
                    scorers[l].emplace(models, static_cast<Language>(l));
                const bool valid = Walk(text, encoding, mayBeCut, [&](uint32_t cp) {
                    const Cls cls = ClassOf(cp);
                    for (auto& scorer : scorers)
                        scorer->Add(cp, cls);
                });
                double best = scorers[0]->Sum();
                for (const auto& scorer : scorers)
                    best = std::max(best, scorer->Sum());
                scores[i] += valid ? best - Utf8LanguageCost : -invalid;
            } else {
                CScorer scorer(models, LanguageOf(encoding));
                const bool valid =
                    Walk(text, encoding, mayBeCut, [&](uint32_t cp) { scorer.Add(cp); });
                scores[i] += valid ? scorer.Sum() : -invalid;
            }
        }
    }
    size_t best = IndexOf(preferred);
    for (size_t i = 0; i < LegacyEncodingCount; ++i)
        if (scores[i] > scores[best])
            best = i;
    decision.Encoding = static_cast<LegacyEncoding>(best);
    return decision;
}

bool CLegacyDetector::Decode(std::string_view text, LegacyEncoding encoding, std::string& out) {
    std::string decoded;
    decoded.reserve(text.size() * 2);
    if (!Walk(text, encoding, text.size() >= FullFieldBytes,
              [&](uint32_t cp) { CTextCodec::AppendCodePoint(decoded, cp); }))
        return false;
    out = std::move(decoded);
    return true;
}

} // namespace torvane
