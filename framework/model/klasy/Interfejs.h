#pragma once

// Root of the interfaces a host or a unit publishes through the class core.
// An interface is an abstract class deriving virtually from this one (so an
// object may implement several) that names its identifier:
//     class IDostawcaDostepu : public virtual IInterfejs
//     { public: static constexpr char IID[] = "{...}"; ... };
// The core holds them as std::shared_ptr and answers a query by dynamic cast.
class IInterfejs
{
public:
    virtual ~IInterfejs() = default;
};
