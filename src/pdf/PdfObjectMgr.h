#pragma once

#include <memory>

namespace korvent::pdf {

class TPdfObject;

// Registers objects (giving them numbers) and finds them by number. TPdfXref implements it.
class TPdfObjectMgr {
public:
    virtual ~TPdfObjectMgr() = default;

    // Takes over a direct object, numbers it and makes it indirect; returns it.
    virtual TPdfObject* AddObject(std::unique_ptr<TPdfObject> object) = 0;
    // The object of that number, or nullptr.
    virtual TPdfObject* GetObject(int objectNumber) const = 0;

    template <class T>
    T* Add(std::unique_ptr<T> object) {
        return static_cast<T*>(AddObject(std::move(object)));
    }
};

}  // namespace korvent::pdf
