#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "model/furn_item.h"

class TSpecStream;
class TokfFlugel;

// What the user chose for one sash: the seven complects, the handle height and the choices.
struct TComplectChoice
{
    QString MainComplect;
    QString HingeComplect;
    QString HandleComplect;
    QString LockComplect;
    QString CylinderComplect;
    QString CloserComplect;
    QString LatchComplect;
    int UserHandleHeight = 0;
    bool UserHeightSet = false;
    int DornType = 0; // backset code of the sash
    QStringList Properties;
    QStringList ExtraComplects;

    bool NoComplects() const; // all seven codes empty
};

// Complect slots, which are also the property groups of the choices.
enum TComplectSlot : int {
    csMain = 0, csHandle = 1, csHinge = 2, csLock = 3, csCylinder = 4, csCloser = 5, csLatch = 6
};
inline constexpr int ComplectSlotCount = 7;

// The fittings complect of a sash: the codes chosen for it, the display attributes of the chosen
// complects and the article lines the engine expands them into.
class TokfFurnComp
{
public:
    explicit TokfFurnComp(TokfFlugel* flugel = nullptr);
    ~TokfFurnComp();
    TokfFurnComp(const TokfFurnComp&) = delete;
    TokfFurnComp& operator=(const TokfFurnComp&) = delete;

    QString FurnSys;
    QString ProfSys; // keeper system
    QString Color;   // decor colour
    QString MainComplect;
    QString HingeComplect;
    QString HandleComplect;
    QString LockComplect;
    QString CylinderComplect;
    QString CloserComplect;
    QString LatchComplect;
    int MainImage = -1;
    int HandleImage = -1;
    int HingeImage = -1;
    int CloserImage = -1;
    int SpareImage = -1;
    int HandleColor = 0;
    int HingeColor = 0;
    int CloserColor = 0;
    int SpareColor = 0;
    int UserHandleHeight = 0;
    bool UserHeightSet = false;
    QStringList Properties;
    QStringList ExtraComplects;
    TokfFlugel* Flugel = nullptr; // owner, not stored
    int CalcCounter1 = 0;         // engine's, not stored
    int CalcCounter2 = 0;

    // The complect code of a slot (TComplectSlot); empty outside 0..6.
    QString SlotComplect(int slot) const;
    // Image values 1..5 mark a main complect of window kind.
    bool IsWindowKind() const { return MainImage >= 1 && MainImage <= 5; }

    // The lines are held by value: a reference to one is good until lines are added or removed.
    int ItemCount() const { return static_cast<int>(Items.size()); }
    TokfFurnItem& Item(int index) { return Items.at(static_cast<size_t>(index)); }
    const TokfFurnItem& Item(int index) const { return Items.at(static_cast<size_t>(index)); }
    // Appends an empty line owned by the complect (hand-added lines of the fittings dialog).
    TokfFurnItem& AppendItem();
    void DeleteItem(int index);
    // Frees the lines with count 0.
    void RemoveEmptyItems();
    // Sorts the lines by article code in Windows-1251 byte order (stable).
    void SortItemsById();

    // Empties the codes, handle fields and choices, resets the display attributes, frees the lines.
    void Clear();
    void ClearItems();
    // Stores the codes, handle fields and choices, then Recalculate.
    void SetAll(const QString& furnSys, const QString& profSys, const QString& color, const TComplectChoice& choice);
    // Stores the seven codes and the handle fields and applies the side roles; the lines stay.
    void SetCodes(const TComplectChoice& choice);
    // Applies the side roles, then has the engine expand the complect into lines. A failure leaves
    // no lines and is raised again.
    void Recalculate();
    // Display attributes and the roles of the sash's sides from the catalogue's side table.
    void ApplySideRoles();

    // Merges into an equal line unless noMerge; ignores an empty article, a count of 0 and a
    // virtual article. A merged or new line without noMerge keeps no history.
    void AddItem(const QString& id, const QString& parentComplect, const QString& history, bool noMerge,
                 double length, const QString& comment, int count, int sideNo);
    int FindItem(const QString& id, const QString& parentComplect, double length, int sideNo,
                 const QString& comment) const;
    int FindArticle(const QString& id) const;

    void Write(TSpecStream& stream) const;
    void Read(TSpecStream& stream, const QString& version);

private:
    // The seven complect codes and the handle height of a choice, shared by both setters.
    void TakeCodes(const TComplectChoice& choice);

    std::vector<TokfFurnItem> Items;
};
