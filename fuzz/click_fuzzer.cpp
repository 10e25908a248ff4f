// Feeds arbitrary bytes to a click: the first byte picks the button, the rest
// are the four field texts separated by newlines. Every click must end in
// exactly one of three ways, with the fields written as that way allows, and a
// computed result must agree with a reference worked out in 64-bit integers.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "calculator.h"

namespace {

using namespace varvik;

struct Write {
    Field field;
    std::string text;
};

struct Event {
    bool isMessage;
    std::string message;
    Write write;
};

class Fields : public FieldTexts {
public:
    explicit Fields(std::vector<Event>& events) : events_(events) {}
    void Replace(Field field, std::string_view text) override
    {
        events_.push_back({false, {}, {field, std::string(text)}});
        FieldTexts::Replace(field, text);
    }

private:
    std::vector<Event>& events_;
};

class Services : public StandardRunTimeServices {
public:
    explicit Services(std::vector<Event>& events) : events_(events) {}
    void MsgBox(std::string_view text) override { events_.push_back({true, std::string(text), {}}); }

private:
    std::vector<Event>& events_;
};

[[noreturn]] void Fail(const char* what)
{
    fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

void Expect(bool condition, const char* what)
{
    if (!condition)
        Fail(what);
}

bool Fits(std::int64_t value) { return value >= INT32_MIN && value <= INT32_MAX; }
std::int64_t T(std::int64_t n) { return n * (n + 1) / 2; }

// The number grammar, judged by a regular expression rather than by the
// calculator's own scanner: blanks, a sign, digits with at most one point or
// comma, blanks, and at least one digit.
const std::regex kNumber(R"(^ *([+-]?)([0-9]*)(?:[.,]([0-9]*))? *$)");

bool ReferenceIsNumeric(const std::string& text)
{
    std::smatch parts;
    return std::regex_match(text, parts, kNumber) && (parts[2].length() > 0 || parts[3].length() > 0);
}

// The nearest integer, a half going to the even neighbour; nothing outside 32
// bits or for a text that is not a number.
std::optional<std::int64_t> Rounded(const std::string& text)
{
    std::smatch parts;
    if (!std::regex_match(text, parts, kNumber) || (parts[2].length() == 0 && parts[3].length() == 0))
        return std::nullopt;
    const std::string whole = parts[2].str(), fraction = parts[3].str();
    const auto significant = whole.find_first_not_of('0');
    if (significant != std::string::npos && whole.size() - significant > 11)
        return std::nullopt;
    std::int64_t value = significant == std::string::npos ? 0 : std::stoll(whole.substr(significant));
    if (!fraction.empty()) {
        const bool restZero = fraction.find_first_not_of('0', 1) == std::string::npos;
        if (fraction[0] > '5' || (fraction[0] == '5' && (!restZero || value % 2 == 1)))
            ++value;
    }
    if (parts[1] == "-")
        value = -value;
    return Fits(value) ? std::optional<std::int64_t>(value) : std::nullopt;
}

// The cost rules in 64 bits; nothing when a value they name leaves 32 bits.
std::optional<std::string> ReferenceEpCost(const std::string& fvText, const std::string& gevText,
                                           const std::string& fvbText)
{
    const auto fv = Rounded(fvText), gev = Rounded(gevText), fvb = Rounded(fvbText);
    if (!fv || !gev || !fvb)
        return std::nullopt;
    std::int64_t ep = 0;
    if (*fvb <= *gev && *fv <= *gev)
        ep = *fvb - *fv;
    if (*fvb > *gev && *fv >= *gev) {
        const std::int64_t n = *fvb - *gev, m = *fv - *gev;
        if (!Fits(n) || !Fits(m) || !Fits(n * n) || !Fits(m * m))
            return std::nullopt;
        ep = T(n) - T(m);
    }
    if (*fvb > *gev && *fv <= *gev) {
        const std::int64_t n = *fvb - *gev;
        if (!Fits(n) || !Fits(n * n) || !Fits(*gev - *fv))
            return std::nullopt;
        ep = T(n) + (*gev - *fv);
    }
    if (!Fits(ep))
        return std::nullopt;
    return std::to_string(ep);
}

std::optional<std::pair<std::string, std::string>> ReferencePurchase(const std::string& fvText,
                                                                      const std::string& gevText,
                                                                      const std::string& epText)
{
    const auto fv = Rounded(fvText), gev = Rounded(gevText), ep = Rounded(epText);
    if (!fv || !gev || !ep || !Fits(*fv + *ep))
        return std::nullopt;
    std::int64_t fvb = 0, left = *ep;
    if (*fv + *ep <= *gev) {
        fvb = *fv + *ep;
        left = 0;
    }
    auto buy = [&](std::int64_t from, std::int64_t d) {
        std::int64_t points = 0;
        while ((d + points + 1) <= left) {
            left -= d + points + 1;
            ++points;
        }
        fvb = from + points;
    };
    if (*fv + left > *gev && *fv < *gev) {
        left -= *gev - *fv;
        buy(*gev, 0);
    }
    if (*fv >= *gev)
        buy(*fv, *fv - *gev);
    if (!Fits(fvb) || !Fits(left))
        return std::nullopt;
    return std::make_pair(std::to_string(fvb), std::to_string(left));
}

bool IsCalculatorMessage(const std::string& text)
{
    return text == kMsgNotDigits || text == kMsgInvalidGev || text == kMsgInvalidEp || text == kMsgDifferenceTooLarge;
}

bool IsErrorMessage(const std::string& text)
{
    for (auto kind : {RunTimeError::Kind::Overflow, RunTimeError::Kind::FloatingPoint, RunTimeError::Kind::TypeMismatch})
        if (text == RunTimeErrorText(kind))
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const Command command = (data[0] & 1) ? Command::Purchase : Command::EpCost;
    std::vector<std::string> texts(1);
    for (std::size_t i = 1; i < size; ++i) {
        if (data[i] == '\n' && texts.size() < 4)
            texts.emplace_back();
        else
            texts.back() += static_cast<char>(data[i]);
    }
    texts.resize(4);

    std::vector<Event> events;
    Fields fields(events);
    for (Field field : kFieldOrder)
        fields.FieldTexts::Replace(field, texts[static_cast<std::size_t>(field)]);
    Services services(events);
    const ClickOutcome outcome = RunClick(command, fields, services);

    // Every click starts by filling the empty fields with "0", in order.
    std::vector<std::string> filled = texts;
    std::size_t next = 0;
    for (Field field : kFieldOrder) {
        auto& text = filled[static_cast<std::size_t>(field)];
        if (text.empty()) {
            Expect(next < events.size() && !events[next].isMessage && events[next].write.field == field &&
                       events[next].write.text == "0",
                   "empty fields are filled first, in order");
            text = "0";
            ++next;
        }
    }
    const std::vector<Event> rest(events.begin() + static_cast<std::ptrdiff_t>(next), events.end());
    std::size_t messages = 0;
    for (const auto& event : rest)
        messages += event.isMessage ? 1 : 0;

    switch (outcome) {
    case ClickOutcome::Computed: {
        Expect(messages == 0, "a computed click shows nothing");
        if (command == Command::EpCost) {
            const auto expected = ReferenceEpCost(filled[0], filled[1], filled[2]);
            Expect(expected.has_value(), "computed although the reference overflows");
            Expect(rest.size() == 1 && rest[0].write.field == Field::EP && rest[0].write.text == *expected,
                   "Beräkna EP writes the reference cost into EP only");
        } else {
            const auto expected = ReferencePurchase(filled[0], filled[1], filled[3]);
            Expect(expected.has_value(), "computed although the reference overflows");
            Expect(rest.size() == 2 && rest[0].write.field == Field::FVb && rest[0].write.text == expected->first &&
                       rest[1].write.field == Field::EP && rest[1].write.text == expected->second,
                   "Beräkna FVb writes the reference FVb, then the leftover EP");
        }
        break;
    }
    case ClickOutcome::Refused: {
        Expect(!rest.empty() && rest[0].isMessage && messages == 1 && IsCalculatorMessage(rest[0].message),
               "a refusal shows one calculator message before any reset");
        std::vector<Field> expectedResets;
        const std::string& message = rest[0].message;
        if (message == kMsgNotDigits) {
            for (Field field : kFieldOrder)
                if (!ReferenceIsNumeric(filled[static_cast<std::size_t>(field)]))
                    expectedResets.push_back(field);
            Expect(!expectedResets.empty(), "the non-numeric message names a non-numeric field");
        } else if (message == kMsgInvalidGev) {
            expectedResets = {Field::GEV};
        } else if (message == kMsgInvalidEp) {
            Expect(command == Command::Purchase, "only Beräkna FVb limits EP");
            expectedResets = {Field::EP};
        } else {
            expectedResets.assign(kFieldOrder.begin(), kFieldOrder.end());
        }
        Expect(rest.size() == expectedResets.size() + 1, "a refusal resets exactly its fields");
        for (std::size_t i = 0; i < expectedResets.size(); ++i)
            Expect(rest[i + 1].write.field == expectedResets[i] && rest[i + 1].write.text == "0",
                   "resets come in field order and write 0");
        break;
    }
    case ClickOutcome::ErrorReported:
        Expect(rest.size() == 1 && rest[0].isMessage && IsErrorMessage(rest[0].message),
               "a run-time error shows its one message and writes nothing");
        Expect(command == Command::EpCost ? !ReferenceEpCost(filled[0], filled[1], filled[2])
                                          : !ReferencePurchase(filled[0], filled[1], filled[3]),
               "a run-time error only where the reference leaves 32 bits");
        break;
    }
    return 0;
}
