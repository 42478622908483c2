#pragma once

#include <memory>

class QPrinter;

// The printers of the session as the print server lists them. Tests install their own, so
// nothing ever reaches a real printer.
namespace platform {

class Printers {
public:
    virtual ~Printers() = default;
    // True when at least one printer is installed.
    virtual bool installed() = 0;
    // A printer object on the default printer (the first one when none is marked default).
    virtual std::unique_ptr<QPrinter> defaultPrinter() = 0;
};

Printers &printers();
// Installs an implementation (not owned); nullptr restores the print server's.
void setPrinters(Printers *impl);

} // namespace platform
