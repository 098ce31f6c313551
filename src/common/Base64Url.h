// base64url (RFC 4648's URL-safe alphabet, no padding): bytes as letters an address carries as they are.
#pragma once

#include <string>
#include <vector>

std::string toBase64Url(const std::vector<unsigned char>& bytes);
// False for a character outside the alphabet; the bits of a last partial byte are dropped.
bool fromBase64Url(const std::string& text, std::vector<unsigned char>& bytes);
