#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "model/versions.h"
#include "model_fixtures.h"

namespace {

// An independent reader of the stored bytes: each call checks the kind of the next value.
class TByteWalker
{
public:
    explicit TByteWalker(const QByteArray& bytes) : Bytes(bytes) {}

    QString Str()
    {
        const qint32 n = Le<qint32>(4);
        EXPECT_GE(n, 0);
        const QByteArray text = Bytes.mid(Pos, n);
        Pos += n;
        return FromCp1251(text);
    }
    qint32 Int() { return Le<qint32>(Cell(3)); }
    int Byte() { return static_cast<unsigned char>(Bytes[Cell(17)]); }
    bool Bool()
    {
        const quint16 v = Le<quint16>(Cell(11), false);
        EXPECT_TRUE(v == 0 || v == 0xFFFF);
        return v != 0;
    }
    double Dbl() { return Le<double>(Cell(5)); }
    double Date() { return Le<double>(Cell(7)); }
    qint64 Cy() { return Le<qint64>(Cell(6)); }
    bool AtEnd() const { return Pos == Bytes.size(); }

private:
    // The offset of the value area of a cell with the expected tag; reserved bytes must be zero.
    qsizetype Cell(quint16 tag)
    {
        EXPECT_LE(Pos + 16, Bytes.size());
        EXPECT_EQ(Le<quint16>(Pos, false), tag) << "at byte " << Pos;
        for (int i = 2; i < 8; ++i)
            EXPECT_EQ(Bytes[Pos + i], 0);
        const qsizetype at = Pos + 8;
        Pos += 16;
        return at;
    }
    template <class T>
    T Le(qsizetype at, bool advance = false)
    {
        T v;
        std::memcpy(&v, Bytes.constData() + at, sizeof v);
        if (advance)
            Pos += sizeof v;
        return qFromLittleEndian(v);
    }
    template <class T>
    T Le(int size)
    {
        EXPECT_EQ(size, static_cast<int>(sizeof(T)));
        return Le<T>(Pos, true);
    }

    const QByteArray& Bytes;
    qsizetype Pos = 0;
};

void ExpectSash(TByteWalker& w, const TokfFlugel& f)
{
    ASSERT_EQ(w.Int(), f.PointCount());
    for (int i = 0; i < f.PointCount(); ++i) {
        EXPECT_EQ(w.Int(), f.Point(i).X);
        EXPECT_EQ(w.Int(), f.Point(i).Y);
    }
    ASSERT_EQ(w.Int(), f.SideCount());
    for (int i = 0; i < f.SideCount(); ++i) {
        const TokfLine& s = f.Side(i);
        EXPECT_EQ(w.Dbl(), s.Radius1);
        EXPECT_EQ(w.Dbl(), s.Radius2);
        EXPECT_EQ(w.Dbl(), s.Centre.X);
        EXPECT_EQ(w.Dbl(), s.Centre.Y);
        EXPECT_EQ(w.Bool(), s.OpenSide);
        EXPECT_EQ(w.Int(), s.RotSide);
        EXPECT_EQ(w.Bool(), s.HandleSide);
        EXPECT_EQ(w.Bool(), s.Banded);
        EXPECT_EQ(w.Bool(), s.Drived);
        EXPECT_EQ(w.Int(), s.HandleHeight);
        EXPECT_EQ(w.Int(), s.HandleMark.X);
        EXPECT_EQ(w.Int(), s.HandleMark.Y);
    }
    EXPECT_EQ(w.Int(), f.DornType);
    ASSERT_EQ(w.Bool(), f.Complect != nullptr);
    if (f.Complect) {
        const TokfFurnComp& c = *f.Complect;
        EXPECT_EQ(w.Str(), c.FurnSys);
        EXPECT_EQ(w.Str(), c.ProfSys);
        EXPECT_EQ(w.Str(), c.Color);
        EXPECT_EQ(w.Str(), c.MainComplect);
        EXPECT_EQ(w.Str(), c.HingeComplect);
        EXPECT_EQ(w.Str(), c.HandleComplect);
        EXPECT_EQ(w.Int(), c.UserHandleHeight);
        EXPECT_EQ(w.Bool(), c.UserHeightSet);
        EXPECT_EQ(w.Str(), c.LockComplect);
        EXPECT_EQ(w.Str(), c.CylinderComplect);
        EXPECT_EQ(w.Str(), c.CloserComplect);
        EXPECT_EQ(w.Str(), c.LatchComplect);
        for (int v : {c.MainImage, c.HandleImage, c.HingeImage, c.CloserImage, c.SpareImage, c.HandleColor,
                      c.HingeColor, c.CloserColor, c.SpareColor})
            EXPECT_EQ(w.Int(), v);
        EXPECT_EQ(w.Str(), QStringLiteral("0=12\r\n2=31"));
        EXPECT_EQ(w.Str(), QStringLiteral("X1"));
        ASSERT_EQ(w.Int(), c.ItemCount());
        for (int i = 0; i < c.ItemCount(); ++i) {
            const TokfFurnItem& item = c.Item(i);
            EXPECT_EQ(w.Str(), item.ID);
            EXPECT_EQ(w.Dbl(), item.Length);
            EXPECT_EQ(w.Int(), item.Count);
            EXPECT_EQ(w.Str(), item.History);
            EXPECT_EQ(w.Str(), item.Comment);
            EXPECT_EQ(w.Int(), item.SideNo);
            EXPECT_EQ(w.Int(), 0);
            EXPECT_EQ(w.Int(), 0);
            EXPECT_EQ(w.Int(), 0);
            EXPECT_EQ(w.Str(), item.ParentComplect);
        }
    }
    ASSERT_EQ(w.Int(), f.MatList.Count());
    for (const TokfMatListItem& line : f.MatList) {
        EXPECT_EQ(w.Str(), line.ID);
        EXPECT_EQ(w.Dbl(), line.Quantity);
        EXPECT_EQ(w.Cy(), line.ListPrice.Raw());
        EXPECT_EQ(w.Dbl(), 0.0);
        EXPECT_EQ(w.Cy(), 0);
        EXPECT_EQ(w.Cy(), line.Price.Raw());
        EXPECT_EQ(w.Cy(), line.Cost.Raw());
    }
}

} // namespace

TEST(StoredLayout, OrderWithTwoSashPositionValueByValue)
{
    TokfOrder order;
    order.No = QStringLiteral("З-17");
    order.AltNo = QStringLiteral("A17");
    order.Customer = QStringLiteral("ООО «Рама»");
    order.Object = QStringLiteral("Дом");
    order.Address = QStringLiteral("ул. Ленина, 1");
    order.Phone = QStringLiteral("123-45-67");
    order.Remark = QStringLiteral("срочно");
    order.Date = 45000;
    order.DateChecked = false;
    order.ProfSys = QStringLiteral("S1");
    order.InnerProfColor = QStringLiteral("W");
    order.OuterProfColor = QStringLiteral("B");
    order.FurnSys = QStringLiteral("110");
    order.FurnColor = QStringLiteral("C9");
    order.Handle = QStringLiteral("G1");
    order.Material = 9;
    order.FalzType = 101;
    order.DornType = 205;
    order.StulpType = 301;
    order.OpenType = 401;
    order.PriceGroupNo = 3;
    order.NDSTax = 20;
    order.TotalNDS = true;
    order.ShowIncludingNDS = true;
    order.Currencies.Add({1, 1.0f});
    order.Currencies.Add({2, 92.5f});
    order.Currency = 2;
    order.Notes = QStringList{QStringLiteral("n1"), QStringLiteral("n2")};
    AddTwoSashPosition(order, QStringLiteral("001"));

    TSpecStream stream;
    order.Write(stream);
    const QByteArray bytes = stream.Bytes();

    TByteWalker w(bytes);
    EXPECT_EQ(w.Str(), QStringLiteral("Diravir Furniture Order File"));
    EXPECT_EQ(w.Str(), QStringLiteral("26.12.2019"));
    EXPECT_EQ(w.Int(), 0);
    EXPECT_EQ(w.Int(), 0);
    EXPECT_EQ(w.Date(), order.CreateTime);
    EXPECT_EQ(w.Date(), order.CreateTime2);
    EXPECT_EQ(w.Int(), 0);
    for (const QString& s : {order.No, order.AltNo, order.Customer, order.Object, order.Address, order.Phone, order.Remark})
        EXPECT_EQ(w.Str(), s);
    EXPECT_EQ(w.Date(), 45000.0);
    EXPECT_FALSE(w.Bool());
    for (const QString& s : {order.ProfSys, order.InnerProfColor, order.OuterProfColor, order.FurnSys, order.FurnColor, order.Handle})
        EXPECT_EQ(w.Str(), s);
    for (int v : {101, 205, 301, 401, 3})
        EXPECT_EQ(w.Int(), v);
    EXPECT_EQ(w.Dbl(), 20.0);
    EXPECT_TRUE(w.Bool());
    EXPECT_TRUE(w.Bool());
    ASSERT_EQ(w.Int(), 2);
    EXPECT_EQ(w.Int(), 1);
    EXPECT_EQ(w.Dbl(), 1.0);
    EXPECT_EQ(w.Int(), 2);
    EXPECT_EQ(w.Dbl(), 92.5);
    EXPECT_EQ(w.Int(), 2);
    EXPECT_EQ(w.Str(), QStringLiteral("n1\r\nn2"));
    ASSERT_EQ(w.Int(), 1);

    const TokfConstruction& c = order.Position(0);
    EXPECT_TRUE(w.Bool());
    EXPECT_EQ(w.Str(), QStringLiteral("001"));
    EXPECT_EQ(w.Str(), c.Name);
    EXPECT_EQ(w.Int(), 2);
    EXPECT_EQ(w.Byte(), 0);
    EXPECT_EQ(w.Str(), QStringLiteral("110"));
    EXPECT_EQ(w.Str(), QStringLiteral("S1"));
    EXPECT_EQ(w.Str(), QStringLiteral("C9"));
    EXPECT_EQ(w.Int(), 101);
    EXPECT_EQ(w.Int(), 301);
    EXPECT_EQ(w.Dbl(), 68.0);
    EXPECT_EQ(w.Dbl(), 12.5);
    EXPECT_EQ(w.Int(), 401);
    EXPECT_EQ(w.Cy(), 1234567);
    EXPECT_EQ(w.Str(), QStringLiteral("первая\r\nвторая"));
    EXPECT_EQ(w.Byte(), 0);
    ExpectSash(w, c.Flugel1);
    ExpectSash(w, c.Flugel2);
    EXPECT_TRUE(w.AtEnd());

    // Text is stored in Windows-1251, one byte per letter.
    EXPECT_TRUE(bytes.contains(ToCp1251(QStringLiteral("ООО «Рама»"))));

    bool converted = true;
    TokfOrder back;
    TSpecStream in(bytes);
    ASSERT_TRUE(back.Read(in, converted));
    EXPECT_FALSE(converted);
    EXPECT_EQ(back.Material, 0);
    EXPECT_EQ(StoredBytes(back), bytes);
    const TokfFlugel& f = back.Position(0).Flugel1;
    EXPECT_EQ(f.Side(2).StartPoint, &f.Point(2));
    EXPECT_EQ(f.Side(3).EndPoint, &f.Point(0));
    EXPECT_EQ(f.Complect->Flugel, &f);
    EXPECT_EQ(f.Complect->Item(1).Complect, f.Complect.get());
    EXPECT_EQ(back.Position(0).Order, &back);
    EXPECT_FALSE(back.Position(0).Flugel2.Complect);
}

TEST(StoredLayout, SelectionValueByValue)
{
    TokfOrderSelection sel;
    sel.No = QStringLiteral("В-1");
    sel.Date = 44000.5;
    sel.Name = QStringLiteral("Партия");
    sel.Currencies.Add({3, 0.5f});
    sel.Currency = 3;
    sel.PriceGroupNo = 2;
    sel.NDSTax = 18;
    sel.RoundMode = 1;
    sel.Note = QStringList{QStringLiteral("x")};
    TokfOrderSelectionItem& e = sel.Add();
    e.Included = false;
    e.OrderNo = QStringLiteral("7");
    e.PosNo = QStringLiteral("001A");
    e.Width = 1300;
    e.Height = 1400.5f;
    e.Number = 4;
    e.PosName = QStringLiteral("Окно");
    e.OrderFile = QStringLiteral("%SUB\\7.KFO370");

    const QByteArray bytes = StoredBytes(sel);
    TByteWalker w(bytes);
    EXPECT_EQ(w.Str(), QStringLiteral("Diravir Furniture Selection File"));
    EXPECT_EQ(w.Str(), QStringLiteral("06.10.2015"));
    EXPECT_EQ(w.Int(), 0);
    EXPECT_EQ(w.Int(), 0);
    EXPECT_EQ(w.Date(), sel.CreateTime);
    EXPECT_EQ(w.Date(), sel.CreateTime2);
    EXPECT_EQ(w.Int(), 0);
    EXPECT_EQ(w.Str(), sel.No);
    EXPECT_EQ(w.Date(), 44000.5);
    EXPECT_EQ(w.Str(), sel.Name);
    ASSERT_EQ(w.Int(), 1);
    EXPECT_EQ(w.Int(), 3);
    EXPECT_EQ(w.Dbl(), 0.5);
    EXPECT_EQ(w.Int(), 3);
    EXPECT_EQ(w.Int(), 2);
    EXPECT_EQ(w.Dbl(), 18.0);
    EXPECT_EQ(w.Byte(), 1);
    EXPECT_EQ(w.Str(), QStringLiteral("x"));
    ASSERT_EQ(w.Int(), 1);
    EXPECT_FALSE(w.Bool());
    EXPECT_EQ(w.Str(), QStringLiteral("7"));
    EXPECT_EQ(w.Str(), QStringLiteral("001A"));
    EXPECT_EQ(w.Dbl(), 1300.0);
    EXPECT_EQ(w.Dbl(), 1400.5);
    EXPECT_EQ(w.Int(), 4);
    EXPECT_EQ(w.Str(), QStringLiteral("Окно"));
    EXPECT_EQ(w.Str(), QStringLiteral("%SUB\\7.KFO370"));
    EXPECT_TRUE(w.AtEnd());

    TokfOrderSelection back;
    TSpecStream in(bytes);
    bool converted = true;
    ASSERT_TRUE(back.Read(in, converted));
    EXPECT_FALSE(converted);
    EXPECT_EQ(StoredBytes(back), bytes);
    EXPECT_EQ(back.Entry(0).Selection, &back);
}
