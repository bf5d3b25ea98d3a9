#include "aquarium/core/ParticleRange.h"

#include "scene/core/SceneLoader.h"

void TParticleRange::SaveRange(TResourceLoader& writer) const
{
    writer.WriteFloat("MaxZ", MaxZ);
    writer.WriteFloat("MinZ", MinZ);
    writer.WriteFloat("UpY", UpY);
    writer.WriteFloat("BottomY", BottomY);
    writer.WriteFloat("MaxSpeed", MaxSpeed);
    writer.WriteFloat("MinSpeed", MinSpeed);
    writer.WriteFloat("MaxCount", MaxCount);
}

void TParticleRange::LoadRange(TResourceLoader& reader)
{
    MaxZ = reader.ReadFloat("MaxZ", MaxZ);
    MinZ = reader.ReadFloat("MinZ", MinZ);
    UpY = reader.ReadFloat("UpY", UpY);
    BottomY = reader.ReadFloat("BottomY", BottomY);
    MaxSpeed = reader.ReadFloat("MaxSpeed", MaxSpeed);
    MinSpeed = reader.ReadFloat("MinSpeed", MinSpeed);
    MaxCount = reader.ReadFloat("MaxCount", MaxCount);
}
