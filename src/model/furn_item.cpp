#include "model/furn_item.h"

#include "foundation/typed_stream.h"
#include "model/stored_reader.h"
#include "model/versions.h"

void TokfFurnItem::Set(const QString& id, const QString& parentComplect, const QString& history, double length,
                       const QString& comment, int count, int sideNo)
{
    if (id.isEmpty() || count == 0) {
        Clear();
        return;
    }
    ID = id;
    ParentComplect = parentComplect;
    History = history;
    Length = static_cast<float>(length);
    Comment = comment;
    Count = count;
    SideNo = sideNo;
    Reserved[0] = Reserved[1] = Reserved[2] = 0;
}

void TokfFurnItem::Clear()
{
    ID.clear();
    History.clear();
    Comment.clear();
    ParentComplect.clear();
    Length = 0;
    Count = 0;
    SideNo = 0;
    Reserved[0] = Reserved[1] = Reserved[2] = 0;
}

void TokfFurnItem::Write(TSpecStream& stream) const
{
    stream.WriteString(ID);
    stream.WriteDouble(Length);
    stream.WriteInteger(Count);
    stream.WriteString(History);
    stream.WriteString(Comment);
    stream.WriteInteger(SideNo);
    for (std::int32_t reserved : Reserved)
        stream.WriteInteger(reserved);
    stream.WriteString(ParentComplect);
}

TFurnItemLayout TFurnItemLayout::Of(const QString& version)
{
    return {IsVersionNotOlder(version, VersionItemHistory()), IsVersionNotOlder(version, VersionItemComment()),
            IsVersionNotOlder(version, VersionItemSide())};
}

void TokfFurnItem::Read(TSpecStream& stream, const QString& version) { Read(stream, TFurnItemLayout::Of(version)); }

void TokfFurnItem::Read(TSpecStream& stream, const TFurnItemLayout& layout)
{
    TStoredReader in(stream);
    ID = in.String();
    Length = in.Single();
    Count = in.Integer();
    if (layout.HasHistory)
        History = in.String();
    if (layout.HasComment)
        Comment = in.String();
    if (layout.HasSide) {
        SideNo = in.Integer();
        for (std::int32_t& reserved : Reserved)
            reserved = in.Integer();
        ParentComplect = in.String();
    }
}
