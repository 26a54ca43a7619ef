#include "model/angebot_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

int LinearFind(const CAngebotList& list, Fld field, const FieldValue& value) {
    for (int i = 0; i < list.Count(); ++i) {
        FieldValue held;
        list.GetField(i, field, held);
        if (held.IsDouble() && value.IsDouble() ? held.AsDouble() == value.AsDouble() : held == value)
            return i;
    }
    return -1;
}

} // namespace

// Random adds and changes with few distinct values (so that most values are held by several
// records and values come and go): after every step the index answers as a search through
// the whole list would, for texts, numbers (0.0 and -0.0 alike, NaN never) and integers.
TEST(FieldIndex, AnswersAsASearchOfTheWholeListThroughChanges) {
    std::mt19937 random(20261207);
    const std::vector<std::string> texts = {"", "01.", "01.0010", "01.0020", "02.", "02.0010", "X"};
    const std::vector<double> numbers = {0.0, -0.0, 1.0, 2.5, -7.0, 1e12, std::nan("")};
    CAngebotList list;
    EXPECT_EQ(list.FindRecord(Fld::OZ, FieldValue("01.")), -1);
    for (int step = 0; step < 3000; ++step) {
        if (list.Count() < 5 || random() % 8 == 0) list.AddRecord();
        const int index = static_cast<int>(random() % static_cast<unsigned>(list.Count()));
        switch (random() % 3) {
        case 0:
            list.SetText(index, Fld::OZ, texts[random() % texts.size()]);
            // Another text of the same record moves the record's texts in memory.
            list.SetText(index, Fld::LongText, std::string(random() % 300, 'L'));
            break;
        case 1:
            list.SetDouble(index, Fld::RecordId, numbers[random() % numbers.size()]);
            break;
        default:
            list.SetInt(index, Fld::Level, static_cast<int32_t>(random() % 4));
        }
        if (step % 10 != 0) continue;
        for (const std::string& text : texts)
            ASSERT_EQ(list.FindRecord(Fld::OZ, FieldValue(text)), LinearFind(list, Fld::OZ, FieldValue(text)))
                << "step " << step << " text '" << text << "'";
        for (double number : numbers) {
            const int expected =
                std::isnan(number) ? -1 : LinearFind(list, Fld::RecordId, FieldValue(number));
            ASSERT_EQ(list.FindRecord(Fld::RecordId, FieldValue(number)), expected)
                << "step " << step << " number " << number;
        }
        for (int32_t level = 0; level < 4; ++level)
            ASSERT_EQ(list.FindRecord(Fld::Level, FieldValue(level)),
                      LinearFind(list, Fld::Level, FieldValue(level)))
                << "step " << step << " level " << level;
    }
}
