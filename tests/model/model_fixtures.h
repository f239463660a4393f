#pragma once

#include <QByteArray>
#include <QTemporaryDir>

#include "foundation/typed_stream.h"
#include "model/currency_list.h"
#include "model/order.h"
#include "model/pricing.h"
#include "model/selection.h"

// Points the pricing context at a snapshot for the duration of a test.
class TPricingScope
{
public:
    TPricingScope(int currency, const TokfCurrencyList& rates, float nds = 0)
        : Previous(PricingContext())
    {
        SetPricingContext({currency, nds, &rates});
    }
    ~TPricingScope() { SetPricingContext(Previous); }

private:
    TPricingContext Previous;
};

// The stored form of anything that writes itself: two objects are equal when these bytes are.
template <class T>
QByteArray StoredBytes(const T& object)
{
    TSpecStream stream;
    object.Write(stream);
    return stream.Bytes();
}

// One two-sash position with a complect on the left sash, items and material lines.
inline TokfConstruction& AddTwoSashPosition(TokfOrder& order, const QString& posNo, int items = 2)
{
    TokfConstruction& c = order.AddPosition();
    c.PosNo = posNo;
    c.Name = QStringLiteral("Окно %1").arg(posNo);
    c.Number = 2;
    c.FurnSys = QStringLiteral("110");
    c.ProfSys = QStringLiteral("S1");
    c.Color = QStringLiteral("C9");
    c.FalzType = 101;
    c.StulpType = 301;
    c.OpenType = 401;
    c.ProfWidth = 68;
    c.ProfThickness = 12.5f;
    c.Note = QStringList{QStringLiteral("первая"), QStringLiteral("вторая")};
    c.Price = TMoney::Parse(QStringLiteral("123.4567"));
    c.Arrangement = arLeftMain;
    c.BuildOutline({1300, 1400, 1, 600, 700, 0, 0}, 205);
    c.Flugel1.Side(0).OpenSide = true;
    c.Flugel1.Side(0).RotSide = 2;
    c.Flugel1.Side(0).HandleSide = true;
    c.Flugel1.Side(0).HandleHeight = 700;
    c.Flugel1.Side(0).HandleMark = {10, 7000};
    c.Flugel1.Side(3).Banded = true;
    c.Flugel1.Side(1).Drived = true;
    auto& comp = *(c.Flugel1.Complect = std::make_unique<TokfFurnComp>(&c.Flugel1));
    comp.FurnSys = QStringLiteral("110");
    comp.ProfSys = QStringLiteral("S1");
    comp.Color = QStringLiteral("C9");
    comp.MainComplect = QStringLiteral("M1");
    comp.HingeComplect = QStringLiteral("H1");
    comp.HandleComplect = QStringLiteral("G1");
    comp.LockComplect = QStringLiteral("L1");
    comp.CylinderComplect = QStringLiteral("Z1");
    comp.CloserComplect = QStringLiteral("D1");
    comp.LatchComplect = QStringLiteral("R1");
    comp.UserHandleHeight = 1050;
    comp.UserHeightSet = true;
    comp.MainImage = 3;
    comp.HandleImage = 4;
    comp.HingeImage = 20;
    comp.CloserImage = 6;
    comp.HandleColor = 0x123456;
    comp.HingeColor = 0xABCDEF;
    comp.CloserColor = 7;
    comp.Properties = QStringList{QStringLiteral("0=12"), QStringLiteral("2=31")};
    comp.ExtraComplects = QStringList{QStringLiteral("X1")};
    for (int i = 0; i < items; ++i) {
        TokfFurnItem& item = comp.AppendItem();
        item.Set(QStringLiteral("ART%1").arg(i), QStringLiteral("M1"), QStringLiteral("hist %1").arg(i),
                 i % 2 ? 1250.5 : 0, QStringLiteral("прим. %1").arg(i), i + 1, i % 4 + 1);
    }
    TokfMatListItem line;
    line.ID = QStringLiteral("ART0");
    line.Quantity = 2.5f;
    line.Price = TMoney::Parse(QStringLiteral("10.25"));
    line.ListPrice = line.Price;
    line.Cost = TMoney::Parse(QStringLiteral("25.625"));
    c.Flugel1.MatList.Add(line);
    return c;
}
