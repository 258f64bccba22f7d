// libFuzzer target for the calculation core. Every result of the core is
// compared with a model of the same rules written here from scratch with
// wide integers and explicit digit strings: a result must be exactly the
// model's, and OverflowError must come exactly when the model leaves the
// signed 32-bit range.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "grade_math.h"
#include "grade_request.h"

namespace {

using orvanta::GradeField;
using orvanta::GradeOutcome;
using orvanta::OverflowError;

[[noreturn]] void Mismatch(const char* what, const std::string& detail) {
    std::fprintf(stderr, "MISMATCH in %s: %s\n", what, detail.c_str());
    std::abort();
}

// ---------------------------------------------------------------------------
// The model.

__extension__ typedef __int128 Wide;
constexpr Wide kLow = -(Wide{1} << 31);
constexpr Wide kHigh = (Wide{1} << 31) - 1;
bool InRange(Wide v) { return v >= kLow && v <= kHigh; }

// A model value: nullopt means the 32-bit range was left.
using Value = std::optional<int32_t>;

Value Fit(Wide v) { return InRange(v) ? Value(static_cast<int32_t>(v)) : std::nullopt; }

const std::string kMark = "\xE6\x9C\xAA\xE7\x9F\xA5";

// The code point of a well-formed three-byte UTF-8 sequence at raw[i], or -1.
long ThreeByteCodePoint(std::string_view raw, std::size_t i) {
    if (raw.size() < 3 || i > raw.size() - 3) return -1;
    const auto b0 = static_cast<unsigned char>(raw[i]), b1 = static_cast<unsigned char>(raw[i + 1]),
               b2 = static_cast<unsigned char>(raw[i + 2]);
    if ((b0 & 0xF0) != 0xE0 || (b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) return -1;
    const long cp = (long{b0} & 0x0F) << 12 | (long{b1} & 0x3F) << 6 | (long{b2} & 0x3F);
    return cp >= 0x800 ? cp : -1;
}

// The text as the reading sees it: the ignored characters (space, tab, line
// feed, ideographic space U+3000) dropped, the full-width digits U+FF10..U+FF19
// and U+FF0B "+", U+FF0D "-", U+FF0E ".", U+FF25 "E", U+FF45 "e" turned into
// their ASCII characters, every other byte kept as it is.
std::string ModelReadable(std::string_view raw) {
    std::string s;
    for (std::size_t i = 0; i < raw.size();) {
        const long cp = ThreeByteCodePoint(raw, i);
        char ascii = 0;
        if (cp >= 0xFF10 && cp <= 0xFF19) ascii = static_cast<char>('0' + (cp - 0xFF10));
        else if (cp == 0xFF0B) ascii = '+';
        else if (cp == 0xFF0D) ascii = '-';
        else if (cp == 0xFF0E) ascii = '.';
        else if (cp == 0xFF25) ascii = 'E';
        else if (cp == 0xFF45) ascii = 'e';
        if (cp == 0x3000 || ascii != 0) {
            if (ascii != 0) s.push_back(ascii);
            i += 3;
            continue;
        }
        const char c = raw[i++];
        if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
    }
    return s;
}

Value ModelRead(std::string_view raw) {
    const std::string s = ModelReadable(raw);
    std::size_t i = 0;
    auto digitAt = [&](std::size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };

    bool minus = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) minus = s[i++] == '-';
    std::string whole, frac;
    while (digitAt(i)) whole.push_back(s[i++]);
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (digitAt(i)) frac.push_back(s[i++]);
    }
    if (whole.empty() && frac.empty()) return 0;

    long long exp = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool expMinus = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) expMinus = s[j++] == '-';
        if (digitAt(j)) {
            while (digitAt(j)) {
                exp = exp * 10 + (s[j++] - '0');
                if (exp > 100000000) exp = 100000000;  // far beyond any input length
            }
            if (expMinus) exp = -exp;
        }
    }

    std::string digits = whole + frac;
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    if (zero) return 0;
    long long point = static_cast<long long>(whole.size()) + exp;  // digits before the point
    const long long len = static_cast<long long>(digits.size());
    if (point > len + 40) return std::nullopt;  // a non-zero digit at 10^40 or above
    if (point < -40) return 0;                  // below 10^-40
    if (point > len) digits.append(static_cast<std::size_t>(point - len), '0');
    if (point < 0) {
        digits.insert(0, static_cast<std::size_t>(-point), '0');
        point = 0;
    }
    std::string intPart = digits.substr(0, static_cast<std::size_t>(point));
    const std::string fracPart = digits.substr(static_cast<std::size_t>(point));
    intPart.erase(0, std::min(intPart.find_first_not_of('0'), intPart.size()));
    if (intPart.size() > 12) return std::nullopt;

    Wide magnitude = 0;
    for (char c : intPart) magnitude = magnitude * 10 + (c - '0');
    if (!fracPart.empty()) {
        const bool tail = fracPart.find_first_not_of('0', 1) != std::string::npos;
        if (fracPart[0] > '5' || (fracPart[0] == '5' && (tail || magnitude % 2 == 1))) ++magnitude;
    }
    return Fit(minus ? -magnitude : magnitude);
}

// Leading and trailing spaces, ASCII or ideographic (U+3000), removed.
std::string ModelTrim(std::string_view t) {
    std::size_t b = 0, e = t.size();
    for (;;) {
        if (b < e && t[b] == ' ') ++b;
        else if (e - b >= 3 && ThreeByteCodePoint(t, b) == 0x3000) b += 3;
        else break;
    }
    for (;;) {
        if (e > b && t[e - 1] == ' ') --e;
        else if (e - b >= 3 && ThreeByteCodePoint(t, e - 3) == 0x3000) e -= 3;
        else break;
    }
    return std::string(t.substr(b, e - b));
}

std::optional<std::string> ModelNormalizeGrade(std::string_view t) {
    const Value n = ModelRead(ModelTrim(t));
    if (!n) return std::nullopt;
    const Wide m = *n < 0 ? -Wide{*n} : Wide{*n};
    if (!InRange(m)) return std::nullopt;
    return std::to_string(static_cast<long long>(m));
}

std::optional<std::string> ModelNormalizeDays(std::string_view t) {
    const std::string trimmed = ModelTrim(t);
    if (trimmed == kMark) return kMark;
    const std::optional<std::string> n = ModelNormalizeGrade(trimmed);
    if (!n) return std::nullopt;
    return *n == "0" ? kMark : *n;
}

// Nearest integer with ties to even, by the C library in its default mode.
Value ModelRound(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const double r = std::nearbyint(x);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<int32_t>(r);
}

// Each checked step of the level arithmetic, one at a time.
struct Steps {
    bool ok = true;
    Wide Do(Wide v) {
        if (!InRange(v)) ok = false;
        return v;
    }
};

Value ModelNextDays(int32_t grade, double speed) {
    Steps st;
    const Wide g = grade;
    const Wide g1 = st.Do(g + 1);
    const Wide sq = st.Do(g1 * g1);
    const Wide lin = st.Do(4 * g1);
    Wide v = st.Do(sq + lin);
    const Wide gsq = st.Do(g * g);
    v = st.Do(v - gsq);
    const Wide glin = st.Do(4 * g);
    v = st.Do(v - glin);
    if (!st.ok) return std::nullopt;
    return ModelRound(static_cast<double>(static_cast<long long>(v)) / (1.0 + speed));
}

Value ModelGradeDays(int32_t carried, int32_t start, int32_t target, double speed) {
    Steps st;
    const Wide t = target, s = start;
    const Wide tsq = st.Do(t * t);
    const Wide tlin = st.Do(4 * t);
    Wide v = st.Do(tsq + tlin);
    const Wide ssq = st.Do(s * s);
    v = st.Do(v - ssq);
    const Wide slin = st.Do(4 * s);
    v = st.Do(v - slin);
    if (!st.ok) return std::nullopt;
    const double q = static_cast<double>(static_cast<long long>(v)) / (1.0 + speed);
    return ModelRound(q + static_cast<double>(carried));
}

std::string Dec(long long v) { return std::to_string(v); }

std::string ModelReport(int32_t cur, int32_t dir, const std::string& vip, const std::string& next,
                        int32_t days) {
    const long long d = days;
    const long long below = ((d % 30) + 30) % 30;  // d - below is the multiple of 30 at or under d
    const long long months = (d - below) / 30;
    const long long rest = d < 0 ? -((-d) % 30) : d % 30;
    const std::string nl = "\r\n";
    return std::string(22, '-') + nl + "当前等级：" + Dec(cur) + "级" + nl + "目标等级：" + Dec(dir) + "级" + nl +
           "会员等级：" + vip + nl + "下次升级：" + (next == kMark ? kMark : next + "天") + nl +
           "约需天数：" + Dec(d) + "天" + nl + "约需月数：" + Dec(months) + "月" + Dec(rest) + "天" + nl;
}

struct ModelOutcome {
    std::optional<GradeField> overflow;  // set when the calculation overflows
    GradeOutcome out;
};

ModelOutcome ModelRun(const orvanta::GradeInputs& in) {
    ModelOutcome m;
    GradeOutcome& o = m.out;
    auto fail = [&](GradeField f) {
        m.overflow = f;
        return m;
    };
    const Value cur = ModelRead(in.curText);
    if (!cur) return fail(GradeField::Current);
    const Value next = ModelRead(in.nextText);
    if (!next) return fail(GradeField::NextDays);
    const bool unknown = in.nextText == kMark;
    const Value start = Fit(Wide{*cur} + (unknown ? 0 : 1));
    if (!start) return fail(GradeField::Current);
    const Value dir = ModelRead(in.dirText);
    if (!dir) return fail(GradeField::Target);
    o.GradeCur = *cur;
    o.GradeNextDays = *next;
    o.GradeStart = *start;
    o.GradeDir = *dir;
    const long long level = static_cast<long long>(in.vipIndex) + 1;
    o.VipSpeed = in.isMember ? 0.1 * static_cast<double>(level) : 0.0;
    o.VipName = in.isMember ? "VIP" + Dec(level) : kMark;

    if (*dir < *cur) {
        o.kind = GradeOutcome::Kind::Warning;
        o.icon = GradeOutcome::Icon::Information;
        o.focus = GradeField::Current;
        o.text = "晕...你这是升级还是降级？！";
        return m;
    }
    const Value maxStep = ModelNextDays(*cur, o.VipSpeed);
    if (!maxStep) return fail(GradeField::Current);
    if (*maxStep < *next) {
        const Value following = Fit(Wide{*cur} + 1);
        if (!following) return fail(GradeField::Current);
        o.kind = GradeOutcome::Kind::Warning;
        o.icon = GradeOutcome::Icon::Warning;
        o.focus = GradeField::NextDays;
        o.text = "下次升级剩余天数设置有误！\r\n\r\n从" + Dec(*cur) + "级升到" + Dec(*following) +
                 "级最多也只有" + Dec(*maxStep) + "天。";
        return m;
    }
    Value days = 0;
    if (unknown || *dir != *cur) days = ModelGradeDays(*next, *start, *dir, o.VipSpeed);
    if (!days) return fail(GradeField::Target);
    o.DaysNeeded = *days;
    o.kind = GradeOutcome::Kind::Report;
    o.text = ModelReport(*cur, *dir, o.VipName, in.nextText, *days);
    return m;
}

// ---------------------------------------------------------------------------
// Checks of the core against the model.

std::string Show(std::string_view t) {
    std::string r = "\"";
    for (unsigned char c : t.substr(0, 200)) {
        if (c >= 0x20 && c < 0x7F && c != '"') {
            r.push_back(static_cast<char>(c));
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            r += buf;
        }
    }
    return r + "\"";
}

template <typename T>
std::string ShowOpt(const std::optional<T>& v) {
    if (!v) return "overflow";
    if constexpr (std::is_same_v<T, std::string>) {
        return Show(*v);
    } else {
        return std::to_string(*v);
    }
}

template <typename F>
auto Core(F f) -> std::optional<decltype(f())> {
    try {
        return f();
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}

void CheckText(std::string_view t) {
    const Value read = Core([&] { return orvanta::ReadNumber(t); });
    const Value readModel = ModelRead(t);
    if (read != readModel) Mismatch("ReadNumber", Show(t) + " gave " + ShowOpt(read) + ", model " + ShowOpt(readModel));

    const auto grade = Core([&] { return orvanta::NormalizeGradeText(t); });
    const auto gradeModel = ModelNormalizeGrade(t);
    if (grade != gradeModel) Mismatch("NormalizeGradeText", Show(t) + " gave " + ShowOpt(grade) + ", model " + ShowOpt(gradeModel));

    const auto days = Core([&] { return orvanta::NormalizeNextDaysText(t); });
    const auto daysModel = ModelNormalizeDays(t);
    if (days != daysModel) Mismatch("NormalizeNextDaysText", Show(t) + " gave " + ShowOpt(days) + ", model " + ShowOpt(daysModel));
}

void CheckMath(int32_t a, int32_t b, int32_t c, double speed) {
    const Value next = Core([&] { return orvanta::CalcNextGradeDays(a, speed); });
    if (next != ModelNextDays(a, speed)) Mismatch("CalcNextGradeDays", std::to_string(a) + " gave " + ShowOpt(next));
    const Value days = Core([&] { return orvanta::CalcGradeDays(a, b, c, speed); });
    if (days != ModelGradeDays(a, b, c, speed))
        Mismatch("CalcGradeDays", std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c) + " gave " + ShowOpt(days));
}

void CheckRun(const orvanta::GradeInputs& in) {
    const std::string what = Show(in.curText) + " " + Show(in.dirText) + " " + Show(in.nextText) +
                             (in.isMember ? " member " : " ") + std::to_string(in.vipIndex);
    const ModelOutcome model = ModelRun(in);
    GradeOutcome got;
    try {
        got = orvanta::RunCalculation(in);
    } catch (const OverflowError& e) {
        if (!model.overflow) Mismatch("RunCalculation", what + ": unexpected overflow");
        if (e.field() != *model.overflow) Mismatch("RunCalculation", what + ": overflow names the wrong field");
        return;
    }
    if (model.overflow) Mismatch("RunCalculation", what + ": missing overflow");
    const GradeOutcome& m = model.out;
    if (got.kind != m.kind || got.text != m.text) Mismatch("RunCalculation", what + ": gave " + Show(got.text) + ", model " + Show(m.text));
    if (got.kind == GradeOutcome::Kind::Warning && (got.icon != m.icon || got.focus != m.focus))
        Mismatch("RunCalculation", what + ": warning icon or focus");
    if (got.GradeCur != m.GradeCur || got.GradeNextDays != m.GradeNextDays || got.GradeStart != m.GradeStart ||
        got.GradeDir != m.GradeDir || got.VipName != m.VipName || got.DaysNeeded != m.DaysNeeded ||
        std::memcmp(&got.VipSpeed, &m.VipSpeed, sizeof(double)) != 0)
        Mismatch("RunCalculation", what + ": calculation values");
}

// ---------------------------------------------------------------------------
// Input decoding.

struct Reader {
    const uint8_t* p;
    std::size_t n;
    uint8_t Byte() {
        if (n == 0) return 0;
        --n;
        return *p++;
    }
    int32_t Int() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | Byte();
        return static_cast<int32_t>(v);
    }
};

// A number near the interesting boundaries, written as a field would hold it.
std::string FieldFrom(Reader& r, bool daysField) {
    const uint8_t style = r.Byte();
    long long v = r.Int();
    if (style & 0x01) v %= 50000;  // around the largest usable level
    if (style & 0x02) v %= 64;     // everyday levels and days
    std::string t = std::to_string(v);
    if (style & 0x04) t += ".5";
    if (style & 0x08) t = "  " + t + " ";
    if (style & 0x10) t.insert(t.size() / 2, "\t");
    if (style & 0x20) t += "e" + std::to_string(style >> 6);
    if (daysField && (style & 0xC0) == 0xC0) t = kMark;
    return t;
}

std::string Utf8ThreeBytes(long cp) {
    return {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
            static_cast<char>(0x80 | (cp & 0x3F))};
}

// The field as a Chinese input method in its full-width mode may have typed
// it, as the bits of `how` choose: the number's characters in full width (all
// of them or every other one), spaces as ideographic spaces, ideographic
// spaces around it or in its middle, a last character cut short, a word after
// it, a full-width comma in its middle.
std::string AsTypedInFullWidth(const std::string& t, uint8_t how) {
    const std::string ideographicSpace = Utf8ThreeBytes(0x3000);
    std::string out;
    bool widen = (how & 0x01) != 0;
    for (char c : t) {
        long cp = 0;
        if (c >= '0' && c <= '9') cp = 0xFF10 + (c - '0');
        else if (c == '+') cp = 0xFF0B;
        else if (c == '-') cp = 0xFF0D;
        else if (c == '.') cp = 0xFF0E;
        else if (c == 'E') cp = 0xFF25;
        else if (c == 'e') cp = 0xFF45;
        if (cp != 0 && widen) out += Utf8ThreeBytes(cp);
        else if (c == ' ' && (how & 0x04)) out += ideographicSpace;
        else out.push_back(c);
        if (cp != 0 && (how & 0x02)) widen = !widen;
    }
    if (how & 0x08) out = ideographicSpace + out + ideographicSpace;
    if (how & 0x10) out.insert(out.size() / 2, ideographicSpace);  // may split a character
    if (how & 0x20) {
        if (!out.empty() && (out.back() & 0x80)) out.pop_back();
        else out += "\xEF\xBC";
    }
    if (how & 0x40) out += "级";
    if (how & 0x80) out.insert(out.size() / 2, Utf8ThreeBytes(0xFF0C));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Reader r{data, size};
    const uint8_t mode = r.Byte();
    orvanta::GradeInputs in;
    in.isMember = (mode & 0x01) != 0;
    in.vipIndex = (mode >> 1) % 8 - 1;  // the six list positions and one beyond each end

    if (mode & 0x80) {
        // Structured: numbers rendered into the fields, and the arithmetic directly.
        in.curText = FieldFrom(r, false);
        in.dirText = FieldFrom(r, false);
        in.nextText = FieldFrom(r, true);
        const int32_t a = r.Int(), b = r.Int(), c = r.Int();
        const double speed = orvanta::VipSpeedFor(in.isMember, (mode >> 1) % 7);
        CheckMath(a, b, c, speed);
        CheckMath(a % 50000, b % 50000, c % 50000, speed);
        // Last, so that inputs without these bytes keep their ASCII fields.
        in.curText = AsTypedInFullWidth(in.curText, r.Byte());
        in.dirText = AsTypedInFullWidth(in.dirText, r.Byte());
        in.nextText = AsTypedInFullWidth(in.nextText, r.Byte());
    } else {
        // Raw: three texts separated by NUL bytes.
        std::string* fields[] = {&in.curText, &in.dirText, &in.nextText};
        int k = 0;
        while (r.n > 0) {
            const char c = static_cast<char>(r.Byte());
            if (c == '\0' && k < 2) {
                ++k;
            } else {
                fields[k]->push_back(c);
            }
        }
    }
    CheckText(in.curText);
    CheckText(in.dirText);
    CheckText(in.nextText);
    CheckRun(in);
    // The same request once its fields are normalised, as the main window sends it.
    const auto cur = ModelNormalizeGrade(in.curText), dir = ModelNormalizeGrade(in.dirText);
    const auto next = ModelNormalizeDays(in.nextText);
    if (cur && dir && next) CheckRun({*cur, *dir, *next, in.isMember, in.vipIndex});
    return 0;
}
