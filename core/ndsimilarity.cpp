#include "core/ndsimilarity.h"

#include <cmath>

#include "core/errors.h"
#include "core/fpfault.h"
#include "core/manyseries.h"  // kNeedTwoSeriesAtLeast
#include "core/matrix.h"
#include "core/numtext.h"
#include "core/objectmeasures.h"
#include "core/quantiles.h"

namespace statorium {

namespace {

const char* const kSeparator = "-----------------------------";

// A number of the check's lines: three decimals.
std::string number(long double v) {
  return formatFixed(finiteOrThrow(v), 3);
}

// One statobject as a sample of observations: its size, mean row and scatter matrix.
struct Sample {
  int n = 0;
  TMatrix mean;     // 1 x p
  TMatrix scatter;  // p x p: sum over the observations of (x - mean)' (x - mean)
};

Sample sampleOf(const TStatsObject& obj, int index) {
  Sample s;
  try {
    s.n = observationCount(obj);
  } catch (const Error& e) {
    throw Error("Statobject " + std::to_string(index + 1) + ": " + e.what());
  }
  const int p = obj.propCount();
  // No more observations than properties leave the scatter matrix without full rank, whatever
  // rounding makes of its determinant.
  if (s.n <= p)
    throw Error("Statobject " + std::to_string(index + 1) + " has " + std::to_string(s.n) +
                " observations of " + std::to_string(p) +
                " properties: its covariance matrix is singular.");
  try {
    requireVaryingProperties(obj);
  } catch (const Error& e) {
    throw Error("Statobject " + std::to_string(index + 1) + ": " + e.what());
  }
  s.mean = Avg(obj);
  // Centred copies of the properties, so that the scatter matrix is the cross products of the
  // centred data, each sum added in the order of the observations; the blocked products run
  // several times faster than accumulating one observation's p (p + 1) / 2 products at a time.
  std::vector<std::vector<long double>> centred(p);
  std::vector<const long double*> columns(p);
  FpScope fp;
  for (int a = 0; a < p; ++a) {
    const std::vector<long double>& x = obj.Prop(a).data();
    const long double mean = s.mean.a(0, a);
    centred[a].resize(static_cast<size_t>(s.n));
    for (int l = 0; l < s.n; ++l) centred[a][l] = x[l] - mean;
    columns[a] = centred[a].data();
  }
  fp.check(centred);
  s.scatter = crossProducts(columns, s.n);
  return s;
}

// The 1 x 1 product row M row'.
long double quadraticForm(const TMatrix& row, const TMatrix& M) {
  TMatrix x = row.Clone();
  x.mul(M);
  TMatrix column = row.Clone();
  column.transp();
  x.mul(column);
  return x.a(0, 0);
}

}  // namespace

std::optional<TStatsObject> readNCheckObject(const std::string& fileName,
                                             const Progress& progress) {
  const size_t dot = fileName.rfind('.');
  if (dot == std::string::npos || fileName.compare(dot, std::string::npos, ".sta") != 0)
    return std::nullopt;
  TStatsObject obj;
  try {
    obj.readObject(fileName, progress);
  } catch (const Error&) {
    return std::nullopt;  // the window leaves out what it cannot read, without a message
  }
  return obj;
}

std::vector<TStatsObject> readNCheckObjects(const std::vector<std::string>& files) {
  std::vector<TStatsObject> objects;
  for (const std::string& file : files)
    if (std::optional<TStatsObject> obj = readNCheckObject(file))
      objects.push_back(std::move(*obj));
  return objects;
}

void NSimilarityCheck(const std::vector<TStatsObject>& objects, NSimilarityResults& out) {
  out = NSimilarityResults();
  const int k = static_cast<int>(objects.size());
  if (k < 2) {
    out.textResults.push_back(kNeedTwoSeriesAtLeast);
    out.normalResults.push_back(kNeedTwoSeriesAtLeast);
    return;
  }
  const int p = objects.back().propCount();
  for (int i = 0; i < k; ++i) {
    if (objects[i].propCount() != p) {
      std::string counts;
      for (int j = 0; j < k; ++j)
        counts += (j ? ", " : "") + std::string("#") + std::to_string(j + 1) + " has " +
                  std::to_string(objects[j].propCount());
      throw Error("The statobjects have different numbers of properties: " + counts + ".");
    }
  }
  if (p == 0) throw Error("The statobjects have no properties.");

  std::vector<Sample> samples;
  samples.reserve(k);
  for (int i = 0; i < k; ++i) samples.push_back(sampleOf(objects[i], i));

  // Equality of the covariance matrices.
  int N = 0;
  TMatrix pooled(p, p);
  std::vector<TMatrix> inverse(k);
  std::vector<long double> det(k);
  for (int i = 0; i < k; ++i) {
    const Sample& s = samples[i];
    N += s.n;
    pooled.add(s.scatter);
    TMatrix S = s.scatter.Clone();
    S.mul(1.0L / (s.n - 1));
    det[i] = S.mydetEval();
    inverse[i] = S.Clone();
    inverse[i].reverse();  // a singular covariance matrix fails here
  }
  pooled.mul(1.0L / (N - k));
  const long double pooledDet = pooled.mydetEval();
  FpScope fp;
  long double V1 = 0;
  for (int i = 0; i < k; ++i) V1 += (samples[i].n - 1) * std::log(pooledDet / det[i]);
  fp.check(V1);
  const int d1 = p * (p + 1) * (k - 1) / 2;

  // Equality of the mean vectors: their mean weighted by the matrices n_i S_i^-1.
  TMatrix weights(p, p), weighted(p, 1);
  for (int i = 0; i < k; ++i) {
    TMatrix w = inverse[i].Clone();
    w.mul(static_cast<long double>(samples[i].n));
    weights.add(w);
    TMatrix column = samples[i].mean.Clone();
    column.transp();
    w.mul(column);
    weighted.add(w);
  }
  TMatrix common = weights.Clone();
  common.reverse();
  common.mul(weighted);
  common.transp();  // m* as a row
  long double V2 = 0;
  for (int i = 0; i < k; ++i) {
    TMatrix d = samples[i].mean.Clone();
    d.sub(common);
    V2 += samples[i].n * quadraticForm(d, inverse[i]);
  }
  fp.check(V2);
  const int d2 = (k - 1) * p;

  const long double X1 = XX(0.05L, d1), X2 = XX(0.05L, d2);
  out.textResults = {"V = " + number(V1),
                     "X^2(0.05," + std::to_string(d1) + ") = " + number(X1),
                     kSeparator,
                     V1 > X1 ? "Rejected. There is some Di != Dj."
                             : "Accepted. DC1 = DC2 = ... = DC" + std::to_string(k),
                     "",
                     "V = " + number(V2),
                     "X^2(0.05," + std::to_string(d2) + ") = " + number(X2),
                     kSeparator,
                     V2 > X2 ? "Rejected. There is some Ei != Ej."
                             : "Accepted. E1 = E2 = ... = E" + std::to_string(k),
                     ""};

  // The first two statobjects under a common covariance matrix: the within-sample covariance W
  // against the covariance T about the common mean, which adds the spread between the means.
  // Both come from the scatter matrices, free of the cancellation of raw sums of products.
  const Sample& s1 = samples[0];
  const Sample& s2 = samples[1];
  const int N2 = s1.n + s2.n;
  TMatrix W = s1.scatter.Clone();
  W.add(s2.scatter);
  TMatrix between = s1.mean.Clone();
  between.sub(s2.mean);
  TMatrix outer = between.Clone();
  outer.transp();
  outer.mul(between);
  outer.mul(static_cast<long double>(s1.n) * s2.n / N2);
  TMatrix T = W.Clone();
  T.add(outer);
  W.mul(1.0L / (N2 - 2));
  T.mul(1.0L / (N2 - 2));
  const long double detW = W.mydetEval(), detT = T.mydetEval();
  const long double V3 = -(N2 - 2.5L) * std::log(std::fabs(detW / detT));
  fp.check(V3);
  const long double X3 = XX(0.05L, p);
  out.normalResults = {"V = " + number(V3), "X^2(0.05," + std::to_string(p) + ") = " + number(X3),
                       kSeparator,
                       V3 > X3 ? "Rejected. There is some E1 != E2." : "Accepted. E1 = E2"};
}

}  // namespace statorium
