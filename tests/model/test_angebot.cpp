#include "model/angebot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The text fields in field order with a value of their own each.
std::vector<Fld> TextFields() {
    std::vector<Fld> fields;
    for (int n = 0; n < kFieldCount; ++n)
        if (TypeOfField(FieldOf(n)) == FieldType::Text) fields.push_back(FieldOf(n));
    return fields;
}

void ExpectTexts(const CAngebot& record, const std::vector<Fld>& fields,
                 const std::vector<std::string>& values) {
    for (size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(record.Text(fields[i]), values[i]) << "field " << FieldNumber(fields[i]);
}

} // namespace

// The texts share one buffer: growing, shrinking and emptying one text in any order must
// leave every other text as it was, through copies and moves as well.
TEST(Angebot, TextsStayApartThroughGrowShrinkCopyAndMove) {
    const std::vector<Fld> fields = TextFields();
    ASSERT_EQ(fields.size(), 19u);
    std::vector<std::string> values(fields.size());
    CAngebot record;
    ExpectTexts(record, fields, values);

    // Last to first, then first to last with other lengths, then a long text in the middle,
    // emptied again, and one text set from another of the same record.
    for (size_t i = fields.size(); i-- > 0;) {
        values[i] = std::string(i + 1, static_cast<char>('a' + i));
        ASSERT_EQ(record.SetField(fields[i], FieldValue(values[i])), 1);
    }
    ExpectTexts(record, fields, values);
    for (size_t i = 0; i < fields.size(); ++i) {
        values[i] = i % 2 ? std::string() : std::string(40 - i, static_cast<char>('A' + i));
        ASSERT_EQ(record.SetField(fields[i], FieldValue(values[i])), 1);
        ExpectTexts(record, fields, values);
    }
    const size_t middle = 9;
    values[middle] = std::string(100000, '\xe4') + "\r\nEnde";
    record.SetField(fields[middle], FieldValue(values[middle]));
    ExpectTexts(record, fields, values);
    values[middle].clear();
    record.SetField(fields[middle], FieldValue(std::string()));
    ExpectTexts(record, fields, values);
    values[1] = values[0];
    record.SetField(fields[1], FieldValue(std::string(record.Text(fields[0]))));
    ExpectTexts(record, fields, values);

    record.SetField(Fld::UnitPrice, FieldValue(12.5));
    CAngebot copy(record);
    copy.SetField(fields[0], FieldValue("nur die Kopie"));
    ExpectTexts(record, fields, values);
    EXPECT_EQ(copy.Number(Fld::UnitPrice), 12.5);

    CAngebot moved(std::move(copy));
    EXPECT_EQ(moved.Text(fields[0]), "nur die Kopie");
    copy = record; // a moved-from record takes a new value
    ExpectTexts(copy, fields, values);
    record = CAngebot();
    ExpectTexts(record, fields, std::vector<std::string>(fields.size()));
    ExpectTexts(copy, fields, values);
}
