#include "cli/message_json.h"

#include "engine/message_identity.h"
#include "engine/message_text.h"
#include "engine/tag_stripping.h"
#include "engine/top_words.h"
#include "text/cp1250.h"
#include "text/date_text.h"

namespace kestrin::cli {
namespace {

using Json = nlohmann::ordered_json;

// Message texts are Windows-1250 bytes; JSON wants UTF-8.
std::string utf8(const std::string& win)
{
    return cp1250ToUtf8(win);
}

Json lines(const std::vector<std::string>& texts)
{
    Json array = Json::array();
    for (const auto& text : texts)
        array.push_back(utf8(text));
    return array;
}

Json address(const TIdEMailAddressItem& item)
{
    return Json{{"name", utf8(item.Name)}, {"address", utf8(item.Address)}};
}

Json addresses(const TIdEMailAddressList& list)
{
    Json array = Json::array();
    for (const auto& item : list.items)
        array.push_back(address(item));
    return array;
}

Json part(const TIdMessagePart& p)
{
    const bool text = p.kind == TIdMessagePart::Kind::Text;
    Json json{
        {"kind", text ? "text" : "attachment"}, {"content_type", utf8(p.contentType)}, {"charset", utf8(p.charset)}};
    if (text)
        json["lines"] = lines(p.lines);
    else
        json["size"] = p.data.size();
    return json;
}

} // namespace

nlohmann::ordered_json messageJson(const TIdMessage& m)
{
    const std::string date = dateText(m.Date);
    const std::string text = messageText(m, " ");
    Json json;
    json["raw_headers"] = lines(m.rawHeaders.lines);
    json["from"] = address(m.From);
    json["from_list"] = addresses(m.fromList);
    json["recipients"] = addresses(m.Recipients);
    json["cc"] = addresses(m.ccList);
    json["bcc"] = addresses(m.bccList);
    json["reply_to"] = addresses(m.replyToList);
    json["subject"] = utf8(m.Subject);
    json["date"] = utf8(date);
    json["message_id"] = utf8(m.messageId);
    json["charset"] = utf8(m.CharSet);
    json["content_type"] = utf8(m.contentType);
    json["content_transfer_encoding"] = utf8(m.contentTransferEncoding);
    json["priority"] = m.priority;
    json["encoding"] = m.encoding == TIdMessageEncoding::Mime ? "mime" : "plain";
    json["boundary"] = utf8(m.boundary);
    json["body"] = lines(m.Body);
    Json parts = Json::array();
    for (const auto& p : m.parts)
        parts.push_back(part(p));
    json["parts"] = parts;
    json["message_text"] = utf8(text);
    json["top_words"] = utf8(topWords(stripTags(text), 4, 10));
    json["identity"] = messageIdentity(m.messageId, date, m.From.Name, m.From.Address, m.Subject);
    return json;
}

} // namespace kestrin::cli
