#include "gaebxml/x84_merge.h"
#include "gaebxml/xml_test_support.h"
#include "model/info_blocks.h"

#include <gtest/gtest.h>

namespace {

const std::string kItems =
    "<Itemlist>" + XmlItem("I1", "10", "Eins", "<Qty>2.000</Qty>") +
    XmlItem("I2", "20", "Zwei", "<QtyTBD>Yes</QtyTBD>") +
    "<Item ID=\"I3\" RNoPart=\"30\"><Qty>1.000</Qty><Description><CompleteText><DetailTxt>"
    "<TextComplement Kind=\"Bidder\" MarkLbl=\"60\"><ComplBody><span>...</span></ComplBody></TextComplement>"
    "<TextComplement Kind=\"Owner\" MarkLbl=\"61\"><ComplBody><span>rot</span></ComplBody></TextComplement>"
    "<TextComplement Kind=\"Bidder\" MarkLbl=\"62\"><ComplBody><span>...</span></ComplBody></TextComplement>"
    "</DetailTxt></CompleteText></Description></Item>"
    "<MarkupItem ID=\"M1\" RNoPart=\"40\"/></Itemlist>";

TEST(X84Merge, PricesQuantitiesTextsAndBidderById) {
    MappedXml lv(GaebXml(kItems, "<NoUPComps>0</NoUPComps>"));
    CGaebXmlDocument bid;
    ASSERT_TRUE(
        bid.Parse("<GAEB><Award><DP>84</DP><AwardInfo><Cur>CHF</Cur></AwardInfo>"
                  "<CTR><Address><Name1>Bau AG</Name1></Address></CTR>"
                  "<BoQ><BoQInfo><Totals><VAT>7.00</VAT></Totals></BoQInfo><BoQBody><Itemlist>"
                  "<Item ID=\"I1\" RNoPart=\"10\"><Qty>99.000</Qty><UP>4.250</UP></Item>"
                  "<Item ID=\"I2\" RNoPart=\"20\"><Qty>7.500</Qty><UP>2.000</UP></Item>"
                  "<Item ID=\"I3\" RNoPart=\"30\"><UP>1.000</UP><Description><CompleteText><DetailTxt>"
                  "<TextComplement Kind=\"Bidder\" MarkLbl=\"62\"><ComplBody><span>Typ \xc3\xa4</span>"
                  "</ComplBody></TextComplement></DetailTxt></CompleteText></Description></Item>"
                  "<MarkupItem ID=\"M1\" RNoPart=\"40\"><ITMarkup>1.00</ITMarkup><Markup>2.500</Markup>"
                  "</MarkupItem></Itemlist></BoQBody></BoQ></Award></GAEB>")
            .Ok());
    CX84Merge merge(lv.list, lv.document);
    merge.Merge(bid);
    EXPECT_EQ(merge.matched, 4);
    EXPECT_DOUBLE_EQ(merge.vatRate, 7.0);
    CAngebotList& list = lv.list;
    EXPECT_DOUBLE_EQ(list.GetDouble(1, Fld::UnitPrice), 4.25);
    EXPECT_DOUBLE_EQ(list.GetDouble(1, Fld::Quantity), 2.0); // not the bidder's to give
    EXPECT_DOUBLE_EQ(list.GetDouble(2, Fld::Quantity), 7.5);
    EXPECT_EQ(list.GetText(3, Fld::SupplementIndex), "60B161A162B1");
    EXPECT_EQ(list.GetText(3, Fld::BidderTexts), "''\r\n'Typ \xe4'\r\n");
    EXPECT_DOUBLE_EQ(list.GetDouble(4, Fld::Quantity), 2.5);
    CInfoBlocks blocks(list);
    blocks.ParseLines(list.GetText(0, Fld::InfoText));
    std::string value;
    blocks.GetBlock(InfoKey::Bidder, value);
    EXPECT_EQ(value, "Bau AG");
    blocks.GetBlock(InfoKey::Currency, value);
    EXPECT_EQ(value, "CHF");
}

} // namespace
