#pragma once

#include <QString>
#include <cstdint>

class TSpecStream;
class TokfFurnComp;

// Which values an item of a given format version holds; worked out once per complect.
struct TFurnItemLayout
{
    bool HasHistory = true;
    bool HasComment = true;
    bool HasSide = true; // side number, reserved integers, parent complect
    static TFurnItemLayout Of(const QString& version);
};

// One line of a fittings complect: a catalogue article with its length, count, side and origin.
class TokfFurnItem
{
public:
    explicit TokfFurnItem(TokfFurnComp* complect = nullptr) : Complect(complect) {}

    QString ID;
    float Length = 0; // millimetres for articles cut to length, 0 for piece articles
    std::int32_t Count = 0;
    QString History;
    QString Comment;
    std::int32_t SideNo = 0; // 1-based sash side, 0 when none
    std::int32_t Reserved[3] = {0, 0, 0};
    QString ParentComplect;
    TokfFurnComp* Complect = nullptr; // owner, not stored

    // Takes the values when the article is given and the count is not 0; clears the line otherwise.
    void Set(const QString& id, const QString& parentComplect, const QString& history, double length,
             const QString& comment, int count, int sideNo);
    void Clear();
    void AddCount(int n) { Count += n; }

    void Write(TSpecStream& stream) const;
    // Values a version lacks keep their initial values.
    void Read(TSpecStream& stream, const QString& version);
    void Read(TSpecStream& stream, const TFurnItemLayout& layout);
};
