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

TEST(X84Merge, ByOrdinalNumberWhereIdsDiffer) {
    const std::string body = "<BoQCtgy ID=\"C1\" RNoPart=\"1\"><BoQBody><Itemlist>" +
                             XmlItem("A", "10", "Eins") +
                             "<Item ID=\"B\" RNoPart=\"10\" RNoIndex=\"A\"/></Itemlist></BoQBody></BoQCtgy>";
    MappedXml lv(GaebXml(body));
    CGaebXmlDocument bid;
    ASSERT_TRUE(bid.Parse(GaebXml("<BoQCtgy ID=\"X\" RNoPart=\"1\"><BoQBody><Itemlist>"
                                  "<Item ID=\"other\" RNoPart=\"10\" RNoIndex=\"A\"><UP>3.000</UP></Item>"
                                  "<Item ID=\"third\" RNoPart=\"10\"><UP>5.000</UP></Item>"
                                  "<Item ID=\"none\" RNoPart=\"99\"><UP>7.000</UP></Item>"
                                  "</Itemlist></BoQBody></BoQCtgy>"))
                    .Ok());
    CX84Merge merge(lv.list, lv.document);
    merge.Merge(bid);
    EXPECT_EQ(merge.matched, 2);
    EXPECT_DOUBLE_EQ(lv.list.GetDouble(RecordByOz(lv.list, "1.10"), Fld::UnitPrice), 5.0);
    EXPECT_DOUBLE_EQ(lv.list.GetDouble(RecordByOz(lv.list, "1.10.A"), Fld::UnitPrice), 3.0);
}

TEST(X84Merge, SplitPriceFromItsComponents) {
    const std::string info = "<NoUPComps>2</NoUPComps>";
    MappedXml lv(GaebXml(
        "<Itemlist>" + XmlItem("I1", "10", "Eins") + XmlItem("I2", "20", "Zwei") + "</Itemlist>", info));
    CGaebXmlDocument bid;
    ASSERT_TRUE(bid.Parse(GaebXml("<Itemlist><Item ID=\"I1\" RNoPart=\"10\"><UPComp1>3.000</UPComp1>"
                                  "<UPComp2>4.500</UPComp2><UP>7.500</UP></Item>"
                                  "<Item ID=\"I2\" RNoPart=\"20\"><UP>9.000</UP></Item></Itemlist>",
                                  info))
                    .Ok());
    CX84Merge(lv.list, lv.document).Merge(bid);
    EXPECT_DOUBLE_EQ(lv.list.GetDouble(1, Fld::OtherShare), 3.0);
    EXPECT_DOUBLE_EQ(lv.list.GetDouble(1, Fld::WageShare), 4.5);
    EXPECT_DOUBLE_EQ(lv.list.GetDouble(1, Fld::UnitPrice), 7.5);
    // A price given whole keeps the rule unit price = other share + wage share.
    EXPECT_DOUBLE_EQ(lv.list.GetDouble(2, Fld::OtherShare), 9.0);
    EXPECT_DOUBLE_EQ(lv.list.GetDouble(2, Fld::UnitPrice), 9.0);
}

} // namespace
