// The CDDB protocol as gnudb serves it over HTTP: the query a disc is asked
// by, the hello that names the client, and the line-format answers of
// "cddb query" and "cddb read". Pure text work; text stays UTF-8
// (protocol level 6).
#ifndef ZANTO_LOOKUP_CDDB_TEXT_H
#define ZANTO_LOOKUP_CDDB_TEXT_H

#include <string>
#include <vector>

#include "cd/disc_toc.h"
#include "lookup/lookup_answer.h"

// One entry of a query's answer: what "cddb read" is then asked for.
struct CddbMatch {
  std::string category;
  std::string discId;
};

// "cddb query <id> <count> <offset>... <seconds>", every track (data ones
// included) at its offset from the disc's very start; "" for an unusable table.
std::string CddbQueryCommand(const DiscToc& toc);
// "<local part>+<domain>+ZantoPlayer+<version>" from an e-mail address,
// URL-encoded; "" when the address has no '@', nothing before or after it,
// or a space.
std::string CddbHello(const char* email, const char* version);
// "/~cddb/cddb.cgi?cmd=<command>&hello=<hello>&proto=6", the command URL-encoded.
std::string CddbPath(const std::string& command, const std::string& hello);

// 200 (one exact match), 210 (several) and 211 (inexact ones) give kFound and
// their matches; 202 kNotFound; another code of the server's kOffline (it
// refused us), and a body without a code kMalformed.
LookupStatus ParseCddbQuery(const std::string& body, std::vector<CddbMatch>* out);
// A "210" answer holding an xmcd entry: DTITLE "artist / title" (the artist
// alone is both), DYEAR, TTITLEn; a key given on several lines is their
// concatenation. kMalformed for anything else.
LookupStatus ParseCddbRead(const std::string& body, ReleaseChoice* out);

#endif
