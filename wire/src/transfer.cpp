#include "wire/baglantiu.h"
#include "wire/mobilstokunit.h"

#include <QHash>

#include <functional>

TSonucBilgisi::TSonucBilgisi()
{
  FMusteriTipi = 1;
  FVersion = 1;
}

TSiparisDipAyrinti::TSiparisDipAyrinti() = default;
TTusSonuclari::TTusSonuclari() = default;
TAcilisEkran::TAcilisEkran() = default;
TAcilisEkranlariki::TAcilisEkranlariki() = default;
TMobilCariBilgisi::TMobilCariBilgisi() = default;

TMobilStok::TMobilStok()
{
  FBirim = QStringLiteral("ADET");
  FKDV = 18;
}

TMobilSepet::TMobilSepet() = default;
TMobilStoklar::TMobilStoklar() = default;
TMobilSepetler::TMobilSepetler() = default;
TAcilisEkranlar::TAcilisEkranlar() = default;

namespace wire {

namespace {
template <class T> std::pair<QString, std::function<std::unique_ptr<TransferObject>()>> entry()
{
  return {T().typeName(), [] { return std::make_unique<T>(); }};
}
} // namespace

std::unique_ptr<TransferObject> createTransferObject(const QString &typeName)
{
  static const QHash<QString, std::function<std::unique_ptr<TransferObject>()>> registry{
      entry<TSonucBilgisi>(),  entry<TSiparisDipAyrinti>(), entry<TTusSonuclari>(),
      entry<TAcilisEkran>(),   entry<TAcilisEkranlariki>(), entry<TMobilCariBilgisi>(),
      entry<TMobilStok>(),     entry<TMobilSepet>(),        entry<TMobilStoklar>(),
      entry<TMobilSepetler>(), entry<TAcilisEkranlar>(),
  };
  const auto it = registry.constFind(typeName);
  return it == registry.constEnd() ? nullptr : (*it)();
}

} // namespace wire
