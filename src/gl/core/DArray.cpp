#include "gl/core/DArray.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

#include "classlib/core/Exceptions.h"
#include "classlib/core/SysUtils.h"

namespace {

// An element count for n items taken from a flat array.
int CountOf(size_t n)
{
    if (n > static_cast<size_t>(INT_MAX)) throw std::bad_alloc();
    return static_cast<int>(n);
}

}  // namespace

// --- TDArray ---------------------------------------------------------------------

void TDArray::GetItem(int index, void* buffer) const
{
    if (index < 0 || index >= FCount) throw Exception("TDArray GetItem: index out of bounds.");
    std::memcpy(buffer, FData.get() + static_cast<size_t>(index) * FItemSize, FItemSize);
}

void TDArray::SetItem(int index, const void* buffer)
{
    if (index < 0 || index >= FCount) throw Exception("TDArray SetItem: index out of bounds.");
    std::memcpy(FData.get() + static_cast<size_t>(index) * FItemSize, buffer, FItemSize);
}

void TDArray::CheckItemSize(size_t size) const
{
    if (static_cast<size_t>(FItemSize) != size) {
        throw EInvalidCast(ClassName() + " holds items of " + IntToStr(FItemSize) + " bytes, not " +
                           IntToStr(static_cast<int64_t>(size)));
    }
}

void TDArray::Resize(int newCount)
{
    if (newCount == FCount) return;
    if (newCount == 0) {
        FData.reset();
        FCount = 0;
        return;
    }
    const size_t newBytes = static_cast<size_t>(newCount) * FItemSize;
    std::unique_ptr<std::byte[]> block(new std::byte[newBytes]());  // zero-filled
    if (FCount > 0) {
        std::memcpy(block.get(), FData.get(), static_cast<size_t>(std::min(FCount, newCount)) * FItemSize);
    }
    FData = std::move(block);
    FCount = newCount;
}

void TDArray::Grow(int n)
{
    if (n < 1) return;
    if (n > INT_MAX - FCount) throw std::bad_alloc();
    Resize(FCount + n);
}

void TDArray::Shrink(int n)
{
    if (n < 1) return;
    Resize(n >= FCount ? 0 : FCount - n);
}

void TDArray::SetCount(int n)
{
    Resize(std::max(n, 0));
}

void TDArray::CopyTo(TDArray* dest) const
{
    if (dest == nullptr || dest == this) return;
    if (dest->FItemSize != FItemSize) {
        dest->Resize(0);
        dest->FItemSize = FItemSize;
    }
    dest->Resize(FCount);
    if (FCount > 0) std::memcpy(dest->FData.get(), FData.get(), static_cast<size_t>(FCount) * FItemSize);
}

// --- TGLVectorDArray ---------------------------------------------------------------

TGLVector TGLVectorDArray::GetVector(int index) const
{
    return GetTyped<TGLVector>(index);
}

void TGLVectorDArray::SetVector(int index, const TGLVector& v)
{
    SetTyped(index, v);
}

void TGLVectorDArray::SetVector(int index, float x, float y, float z)
{
    SetVector(index, MakeVector3(x, y, z));
}

void TGLVectorDArray::LoadFromArray(std::span<const float> values)
{
    CheckItemSize(sizeof(TGLVector));
    const int count = CountOf(values.size() / 3);
    SetCount(0);  // nothing worth keeping: spares the copy
    SetCount(count);
    for (int i = 0; i < count; ++i) {
        const size_t at = 3 * static_cast<size_t>(i);
        SetVector(i, values[at], values[at + 1], values[at + 2]);
    }
}

void TGLVectorDArray::ZeroVectors()
{
    for (int i = 0; i < Count(); ++i) SetVector(i, 0.0f, 0.0f, 0.0f);
}

// --- TGLColorDArray ----------------------------------------------------------------

TGLColor TGLColorDArray::GetColor(int index) const
{
    return GetTyped<TGLColor>(index);
}

void TGLColorDArray::SetColor(int index, TGLColor color)
{
    SetTyped(index, color);
}

void TGLColorDArray::SetColor(int index, uint8_t r, uint8_t g, uint8_t b, uint8_t a)
{
    SetColor(index, MakeColorRGBA(r, g, b, a));
}

void TGLColorDArray::LoadFromArray(std::span<const uint8_t> rgb)
{
    CheckItemSize(sizeof(TGLColor));
    const int count = CountOf(rgb.size() / 3);
    SetCount(0);
    SetCount(count);
    for (int i = 0; i < count; ++i) {
        const size_t at = 3 * static_cast<size_t>(i);
        SetColor(i, rgb[at], rgb[at + 1], rgb[at + 2], 255);
    }
}

// --- TGLTextureCoordDArray ---------------------------------------------------------

TGLTextureCoord TGLTextureCoordDArray::GetCoord(int index) const
{
    return GetTyped<TGLTextureCoord>(index);
}

void TGLTextureCoordDArray::SetCoord(int index, const TGLTextureCoord& coord)
{
    SetTyped(index, coord);
}

void TGLTextureCoordDArray::SetCoord(int index, float s, float t)
{
    SetCoord(index, MakeVector2(s, t));
}

void TGLTextureCoordDArray::LoadFromArray(std::span<const float> values)
{
    CheckItemSize(sizeof(TGLTextureCoord));
    const int count = CountOf(values.size() / 2);
    SetCount(0);
    SetCount(count);
    for (int i = 0; i < count; ++i) {
        const size_t at = 2 * static_cast<size_t>(i);
        SetCoord(i, values[at], values[at + 1]);
    }
}

// --- TGLIndexDArray ----------------------------------------------------------------

int32_t TGLIndexDArray::GetIndex(int index) const
{
    return GetTyped<int32_t>(index);
}

void TGLIndexDArray::SetIndex(int index, int32_t value)
{
    SetTyped(index, value);
}

void TGLIndexDArray::LoadFromArray(std::span<const int32_t> indices)
{
    CheckItemSize(sizeof(int32_t));
    const int count = CountOf(indices.size());
    SetCount(0);
    SetCount(count);
    for (int i = 0; i < count; ++i) SetIndex(i, indices[static_cast<size_t>(i)]);
}
