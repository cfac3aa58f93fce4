%DRIFTGAUGE  Offset between two contours, compared direction by direction.
%   D = DRIFTGAUGE(A, NA, B, NB) resamples both contours to one point per
%   whole degree (as RINGSAMPLE does), pairs the two points of every degree,
%   and returns a quarter of their mean Euclidean distance:
%       D = 0.25 * (sum over j = 0..359 of |B_j - A_j|) / 360.
%
%   Inputs
%     A, B    contours, real double arrays of NA-by-2 and NB-by-2 points
%             [x y] about the origin; only the first 2*NA (2*NB) values are
%             read. The two counts need not agree.
%     NA, NB  the point counts, real numbers truncated toward zero, each at
%             least 1 and at most the points its contour holds.
%
%   Output
%     D   1-by-1 double, in the units of the coordinates. Two identical
%         contours give 0; a NaN or Inf coordinate in a chosen point gives
%         NaN or Inf.
%
%   Errors (identifier: cause)
%     "func: driftgauge() requires 4 input arguments."   wrong input count
%     "func: driftgauge() requires 1 output arguments."  output count not 1
%     planestat:driftgauge:notRealDouble  A or B is not a real, full double array
%     planestat:driftgauge:notRealScalar  NA or NB is not one real number
%     planestat:driftgauge:badCount       NA or NB is below 1 (or NaN)
%     planestat:driftgauge:tooFewValues   A or B holds fewer points than its count
%
%   Example
%     square = [1 0; 0 1; -1 0; 0 -1];
%     d = driftgauge(square, 4, 2 * square, 4)   % 0.25
%
%   See also RINGSAMPLE.

% Help text only: the function itself is the compiled MEX file of the same name.

%!shared square
%! square = [1 0; 0 1; -1 0; 0 -1];

%!assert (driftgauge (square, 4, square, 4), 0)
%!assert (driftgauge (square, 4, 2 * square, 4), 0.25)
%!assert (driftgauge ([3 4], 1, [0 0], 1), 1.25)

%!test  # symmetric, and contours of different lengths compare without error
%! t = (0:999)' * 2 * pi / 1000;
%! circle = [3 * cos(t) + 0.4, 3 * sin(t) - 0.2];
%! d = driftgauge (square, 4, circle, 1000);
%! assert (d, driftgauge (circle, 1000, square, 4));
%! assert (d > 0.25 && d < 1);

%!error <func: driftgauge\(\) requires 4 input arguments\.> x = driftgauge (1, 1, 1);
%!error <func: driftgauge\(\) requires 1 output arguments\.> driftgauge ([1 0], 1, [1 0], 1)
%!error id=planestat:driftgauge:notRealDouble x = driftgauge (int32 ([1 0]), 1, [1 0], 1);
%!error id=planestat:driftgauge:badCount x = driftgauge ([1 0], 1, [1 0], -1);
%!error id=planestat:driftgauge:tooFewValues x = driftgauge ([1 0], 1, [1 0; 0 1], 3);
