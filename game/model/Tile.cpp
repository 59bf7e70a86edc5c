#include "game/model/Tile.h"

#include "framework/core/DataStream.h"

void Tile::SerializeState(DataStream* stream)
{
    stream->TransferChar(&x);
    stream->TransferChar(&y);
    stream->TransferChar(&z);
    stream->TransferChar(&kind);
    stream->TransferShort(&removedAt);
}

void Tile::SerializeLayout(DataStream* stream)
{
    stream->TransferChar(&x);
    stream->TransferChar(&y);
    stream->TransferChar(&z);
    stream->TransferChar(&kind);
}
