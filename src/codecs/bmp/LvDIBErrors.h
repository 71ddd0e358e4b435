#pragma once
// Exception classes of the DIB container. Every message names the unit or method and the reason.
#include "image/StreamErrors.h" // EReadError, the stream's read error

#include <stdexcept>

namespace kalvo {

class ELvDIBError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
class ELvDIBInvalidDIB : public ELvDIBError {
public:
    using ELvDIBError::ELvDIBError;
};
class ELvDIBInvalidDIBFile : public ELvDIBError {
public:
    using ELvDIBError::ELvDIBError;
};
class ELvDIBInvalidDIBPara : public ELvDIBError {
public:
    using ELvDIBError::ELvDIBError;
};
class ELvDIBBadDIBType : public ELvDIBError {
public:
    using ELvDIBError::ELvDIBError;
};
class ELvDIBInvalidPalette : public ELvDIBError {
public:
    using ELvDIBError::ELvDIBError;
};
class ELvDIBCompressionFailed : public ELvDIBError {
public:
    using ELvDIBError::ELvDIBError;
};
class ELvDIBCanvasFailed : public ELvDIBError {
public:
    using ELvDIBError::ELvDIBError;
};

// Memory, mappings or drawing resources that cannot be had.
class EOutOfResources : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kalvo
