#include "calculator.h"
#include "checked.h"

namespace varvik {

namespace {

void ResetAllFields(FieldSet& fields)
{
    for (const Field field : kFieldOrder)
        fields.Replace(field, "0");
}

// Empty fields become "0" without a word. A text of blanks is not empty; the
// numeric test refuses it next.
void FillEmptyFields(FieldSet& fields)
{
    int empty = 0;
    for (const Field field : kFieldOrder)
        empty += fields.Read(field).empty() ? 1 : 0;
    if (empty == 0)
        return;
    for (const Field field : kFieldOrder)
        if (fields.Read(field).empty())
            fields.Replace(field, "0");
}

bool RefuseNonNumericFields(FieldSet& fields, RunTimeServices& services)
{
    int nonNumeric = 0;
    for (const Field field : kFieldOrder)
        nonNumeric += services.IsNumeric(fields.Read(field)) ? 0 : 1;
    if (nonNumeric == 0)
        return false;
    services.MsgBox(kMsgNotDigits);
    for (const Field field : kFieldOrder)
        if (!services.IsNumeric(fields.Read(field)))
            fields.Replace(field, "0");
    return true;
}

// Only the distance above GEV is bounded: the computations square it in
// 32 bits. A skill far below its base squares nothing and passes.
bool RefuseDistanceAboveGev(Field skill, FieldSet& fields, RunTimeServices& services)
{
    const std::string gevText = fields.Read(Field::GEV);
    const std::string skillText = fields.Read(skill);
    const double skillValue = services.TextToDouble(skillText);
    const double gevValue = services.TextToDouble(gevText);
    if (FpSub(skillValue, gevValue) <= kMaxDifference)
        return false;
    services.MsgBox(kMsgDifferenceTooLarge);
    ResetAllFields(fields);
    return true;
}

} // namespace

CheckResult CheckFields(Command command, FieldSet& fields, RunTimeServices& services)
{
    FillEmptyFields(fields);

    if (RefuseNonNumericFields(fields, services))
        return CheckResult::Refused;

    if (services.TextToDouble(fields.Read(Field::GEV)) > kMaxGev) {
        services.MsgBox(kMsgInvalidGev);
        fields.Replace(Field::GEV, "0");
        return CheckResult::Refused;
    }

    // "Beräkna EP" only writes EP, so only "Beräkna FVb" limits the budget.
    if (command == Command::Purchase && services.TextToDouble(fields.Read(Field::EP)) > kMaxEp) {
        services.MsgBox(kMsgInvalidEp);
        fields.Replace(Field::EP, "0");
        return CheckResult::Refused;
    }

    // FVb is held to the limit even under "Beräkna FVb", which overwrites it.
    if (RefuseDistanceAboveGev(Field::FV, fields, services) || RefuseDistanceAboveGev(Field::FVb, fields, services))
        return CheckResult::Refused;

    return CheckResult::Proceed;
}

} // namespace varvik
