#pragma once

// Fields and services that write what happens to them into one shared log,
// so that a test sees messages and resets in the order they came.

#include <string>
#include <vector>

#include "calculator.h"

namespace varvik::testing {

using Log = std::vector<std::string>;

inline const char* FieldName(Field field)
{
    switch (field) {
    case Field::FV: return "FV";
    case Field::GEV: return "GEV";
    case Field::FVb: return "FVb";
    case Field::EP: return "EP";
    }
    return "?";
}

class RecordingFields : public FieldTexts {
public:
    RecordingFields(Log& log, std::string fv, std::string gev, std::string fvb, std::string ep)
        : FieldTexts(std::move(fv), std::move(gev), std::move(fvb), std::move(ep)), log_(log)
    {
    }

    void Replace(Field field, std::string_view text) override
    {
        log_.push_back(std::string(FieldName(field)) + "=" + std::string(text));
        FieldTexts::Replace(field, text);
    }

    std::vector<std::string> Texts() const { return {Read(Field::FV), Read(Field::GEV), Read(Field::FVb), Read(Field::EP)}; }

private:
    Log& log_;
};

class RecordingServices : public StandardRunTimeServices {
public:
    explicit RecordingServices(Log& log) : log_(log) {}
    void MsgBox(std::string_view text) override { log_.push_back("msg: " + std::string(text)); }

private:
    Log& log_;
};

// One click on fresh fields, with everything it logged.
struct Click {
    Log log;
    RecordingFields fields;
    RecordingServices services{log};
    ClickOutcome outcome;

    Click(Command command, std::string fv, std::string gev, std::string fvb, std::string ep)
        : fields(log, std::move(fv), std::move(gev), std::move(fvb), std::move(ep)),
          outcome(RunClick(command, fields, services))
    {
    }
};

} // namespace varvik::testing
