#pragma once

#include <cstdint>
#include <string>

#include "service/civil_time.h"

namespace quorstat::service {

class Router;
struct PageRequest;
struct ServiceContext;

// BetTempletList.asp, BetTempletUp.asp, BetTempletDelete.asp, BetTempletChange.asp,
// BetTempletDetail.asp. Every list starts with the one system template, which only managers
// change; a user has up to six templates of his own and one template in use.
class TemplatePages {
public:
    static constexpr int kMaxOwnTemplates = 6;

    explicit TemplatePages(ServiceContext& context) : context_(context) {}

    void addTo(Router& router);

private:
    std::string list(const PageRequest& request);
    std::string upload(const PageRequest& request);
    std::string remove(const PageRequest& request);
    std::string change(const PageRequest& request);
    std::string detail(const PageRequest& request);

    std::int64_t create(const PageRequest& request);
    void update(const PageRequest& request, std::int64_t templateId);
    // The template's owner, or 0 for the system template; throws when there is no such template.
    std::int64_t ownerOf(std::int64_t templateId);
    void checkNameFree(std::int64_t userId, const std::string& name, std::int64_t exceptId);
    std::int64_t templateInUse(std::int64_t userId);
    std::string listStamp(std::int64_t userId);
    void touchList(std::int64_t ownerId, CivilSeconds now);

    ServiceContext& context_;
};

}  // namespace quorstat::service
