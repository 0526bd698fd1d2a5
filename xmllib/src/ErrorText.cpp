#include "ReaderState.h"
#include "Support.h"
#include "olmix/Errors.h"

std::string XML_GETERROR(std::optional<std::int16_t> code) {
    return olmix::detail::guarded("XML:GETERROR", std::string(), [&]() -> std::string {
        std::int16_t c = code.value_or(0);
        if (c == 0) c = olmix::detail::reader().lastError;
        switch (c) {
            case 2:
                return "File not found.";
            case 3:
                return "Path not found.";
            case 4:
                return "Too Many Open Files.";
            case 5:
                return "Access Denied.";
            case 45:
                return "Invalid File Name.";
            case 1000:
                return "Error Parsing Document.";
            case 1001:
                return "Read past end of file.";
            case 1002:
                return "Read past beginning of file.";
            case 1003:
                return "Not on any record.";
            case 1004:
                return "Not in specified parent.";
            case 1005:
                return "Node Not Found.";
            case 1006:
                return "Invalid Parameters Specified.";
            case 1007:
                return "Cannot restore state. State never saved.";
            case 1010:
                return "Sibling Not Found.";
            case 1011:
                return "Child Not Found.";
            case 1012:
                return "Parent Not Found.";
            case 1020:
                return "Find Content Not Found.";
            case 1050:
                return "Not a valid XML file.";
            case 1051:
                return "Missing attribute Tag in XML file.";
            case 1052:
                return "Missing element Tag in XML file.";
            case 1053:
                return "Missing end of comment tag in XML file.";
            case 1054:
                return "Missing end of CDATA tag in XML file.";
            default:
                return std::string();
        }
    });
}
