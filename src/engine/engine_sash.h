#pragma once

#include <QString>
#include <QStringList>

// What the selection engine needs of a sash, its complect and its construction. The model's
// sash implements it for the real calculation; tests may script one. Side and corner indexes are
// 0-based here; the catalogue's 1-based numbers are turned into indexes by the engine.
class TEngineSash
{
public:
    virtual ~TEngineSash() = default;

    // Outline.
    virtual int SideCount() const = 0;
    virtual double SideLength(int index) const = 0; // millimetres, chord of an arc
    virtual double Radius1(int index) const = 0;    // tenths of a millimetre, 0 for a straight side
    virtual bool IsFullArc(int index) const = 0;
    virtual bool IsPartialArc(int index) const = 0;
    virtual bool IsElliptic(int index) const = 0;
    virtual double CornerAngle(int index) const = 0; // degrees at the start of side `index`
    // Rebate width and height in whole millimetres.
    virtual void FalzSize(int& width, int& height) const = 0;
    virtual int FirstHandleSide() const = 0; // -1 when none
    virtual void SetHandle(int index, int height, int direction) = 0;
    // A length formula evaluated on this sash (millimetres).
    virtual double Evaluate(const QString& formula) = 0;
    virtual int DornType() const = 0;

    // The sash's complect; HasComplect false means none of the rest is asked.
    virtual bool HasComplect() const = 0;
    virtual QStringList Properties() const = 0;
    virtual QString KeeperSystem() const = 0; // the complect's ProfSys
    // Index of the first item with this article, -1 when none.
    virtual int FindArticle(const QString& article) const = 0;
    // The complect's AddItem: merges equal lines unless noMerge; ignores empty, zero and virtual.
    virtual void AddItem(const QString& article, const QString& parentComplect, const QString& history, bool noMerge,
                         double length, const QString& comment, int count, int sideNo) = 0;

    // The construction's other sash when it has two, else nullptr.
    virtual TEngineSash* Adjacent() = 0;
};

// One line of a complect as the keeper and accessory passes read it.
struct TEngineItem
{
    QString ID;
    double Length = 0;
    int Count = 0;
    QString History;
    QString Comment;
    int SideNo = 0;
    QString ParentComplect;
};

// The complect being calculated, with what the calculation reads of its sash, construction and
// order.
class TEngineComplect
{
public:
    virtual ~TEngineComplect() = default;

    virtual TEngineSash& Sash() = 0;

    // Complect codes by slot 0..6 (main, handle, hinges, lock, cylinder, closer, shoot bolts).
    virtual QString SlotComplect(int slot) const = 0;
    virtual QStringList ExtraComplects() const = 0;
    virtual QString FurnSys() const = 0;
    virtual QString Color() const = 0;
    virtual bool UserHeightSet() const = 0;

    // Construction values.
    virtual int FalzType() const = 0;
    virtual int StulpType() const = 0;
    virtual int OpenType() const = 0;
    virtual float ProfWidth() const = 0;
    virtual float ProfThickness() const = 0;
    virtual int Arrangement() const = 0;
    // The order's outer and inner profile colours (empty without an order).
    virtual QString OuterColor() const = 0;
    virtual QString InnerColor() const = 0;

    virtual int ItemCount() const = 0;
    virtual TEngineItem Item(int index) const = 0;
    // Frees the lines of count 0 and sorts the rest by article code in byte order.
    virtual void DropEmptyAndSort() = 0;
};
