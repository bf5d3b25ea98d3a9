// Growable arrays of fixed-size elements, kept in one contiguous block so
// that they can be handed to OpenGL as vertex, colour, texture-coordinate or
// index arrays.
//
// The block holds exactly Count * ItemSize bytes - no spare capacity - and
// there is no block at all while Count is 0. Every resize allocates a block
// of the new size and copies: arrays are sized once per build of a grid or a
// mesh and then only read or overwritten in place, so no growth policy is
// needed. Elements added by growing are zero. Data() stays valid until the
// next resize.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "classlib/core/Components.h"
#include "gl/core/VectorTypes.h"

class TDArray : public TObject {
public:
    // An empty array of 1-byte elements.
    TDArray() = default;
    TDArray(const TDArray&) = delete;
    TDArray& operator=(const TDArray&) = delete;
    ~TDArray() override = default;

    std::string ClassName() const override { return "TDArray"; }

    void* Data() { return FData.get(); }
    const void* Data() const { return FData.get(); }
    int Count() const { return FCount; }
    int ItemSize() const { return FItemSize; }

    // Copy ItemSize bytes of element `index` out of / into the array. An
    // index outside 0..Count-1 raises Exception "TDArray GetItem: index out
    // of bounds." / "TDArray SetItem: index out of bounds." and changes
    // nothing.
    void GetItem(int index, void* buffer) const;
    void SetItem(int index, const void* buffer);

    // Adds n zeroed elements at the end; n < 1 does nothing.
    void Grow(int n);
    // Drops the last n elements, keeping the others; n < 1 does nothing, and
    // dropping all of them (or more) frees the block.
    void Shrink(int n);
    // Grows or shrinks to n elements.
    void SetCount(int n);
    // Makes dest a byte copy of this array: when its element size differs it
    // is emptied and takes this one's, then it gets this Count and content.
    // Copying an empty array empties dest. Nothing happens for a null dest or
    // dest == this.
    void CopyTo(TDArray* dest) const;

protected:
    explicit TDArray(int itemSize) : FItemSize(itemSize) {}

    // Typed access for the descendants, through GetItem/SetItem. CopyTo can
    // give a typed array another element size; such an array refuses typed
    // access with EInvalidCast instead of copying past the element;
    // CheckItemSize raises it when the element size is not `size`.
    void CheckItemSize(size_t size) const;
    template <class T>
    T GetTyped(int index) const
    {
        CheckItemSize(sizeof(T));
        T value;
        GetItem(index, &value);
        return value;
    }
    template <class T>
    void SetTyped(int index, const T& value)
    {
        CheckItemSize(sizeof(T));
        SetItem(index, &value);
    }

private:
    // Replaces the block by one of newCount elements: the first elements
    // copied, the rest zero.
    void Resize(int newCount);

    std::unique_ptr<std::byte[]> FData;
    int FCount = 0;
    int FItemSize = 1;
};

// 3-D vectors (12 bytes each).
class TGLVectorDArray : public TDArray {
public:
    TGLVectorDArray() : TDArray(sizeof(TGLVector)) {}
    std::string ClassName() const override { return "TGLVectorDArray"; }

    TGLVector GetVector(int index) const;
    void SetVector(int index, const TGLVector& v);
    void SetVector(int index, float x, float y, float z);
    // Count becomes values.size() div 3; element i is (v[3i], v[3i+1], v[3i+2]).
    void LoadFromArray(std::span<const float> values);
    // Sets every element to (0, 0, 0).
    void ZeroVectors();
};

// RGBA byte colours (4 bytes each, red first).
class TGLColorDArray : public TDArray {
public:
    TGLColorDArray() : TDArray(sizeof(TGLColor)) {}
    std::string ClassName() const override { return "TGLColorDArray"; }

    TGLColor GetColor(int index) const;
    void SetColor(int index, TGLColor color);
    void SetColor(int index, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
    // Count becomes rgb.size() div 3; each r, g, b triple gets alpha 255.
    void LoadFromArray(std::span<const uint8_t> rgb);
};

// Texture coordinates (8 bytes each).
class TGLTextureCoordDArray : public TDArray {
public:
    TGLTextureCoordDArray() : TDArray(sizeof(TGLTextureCoord)) {}
    std::string ClassName() const override { return "TGLTextureCoordDArray"; }

    TGLTextureCoord GetCoord(int index) const;
    void SetCoord(int index, const TGLTextureCoord& coord);
    void SetCoord(int index, float s, float t);
    // Count becomes values.size() div 2; element i is (v[2i], v[2i+1]).
    void LoadFromArray(std::span<const float> values);
};

// 32-bit vertex indices.
class TGLIndexDArray : public TDArray {
public:
    TGLIndexDArray() : TDArray(sizeof(int32_t)) {}
    std::string ClassName() const override { return "TGLIndexDArray"; }

    int32_t GetIndex(int index) const;
    void SetIndex(int index, int32_t value);
    // Count becomes indices.size().
    void LoadFromArray(std::span<const int32_t> indices);
};
